// TPanel: a container with its own colour and an optional raised bevel.
#pragma once

#include <string>

#include "ui/control_of.h"

namespace talo::ui {

class TPanel : public TControlOf<TPanel> {
 public:
  // The panel starts with its parent's colour and a raised bevel; a caption is drawn centred.
  TPanel& Create(const TParent& parent, const TBounds& bounds, const std::string& caption = "");

  COLORREF Color() const;
  TPanel& Color(COLORREF color);
  bool Bevel() const { return bevel_; }
  TPanel& Bevel(bool bevel);
  // The bevel drawn sunk instead of raised (a frame around a picture).
  TPanel& Lowered(bool lowered);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc);

  bool bevel_ = true;
  bool lowered_ = false;
};

}  // namespace talo::ui
