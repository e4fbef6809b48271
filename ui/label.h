// TLabel: static text on its parent's colour, optionally wrapped or centred.
#pragma once

#include <string>

#include "ui/control_of.h"

namespace talo::ui {

enum class TAlignment { LeftJustify, Center, RightJustify };

class TLabel : public TControlOf<TLabel> {
 public:
  // Without a width or height the label takes its caption's size on one line. "&" underlines
  // the next character.
  TLabel& Create(const TParent& parent, const TBounds& bounds, const std::string& caption);

  bool WordWrap() const;
  TLabel& WordWrap(bool wrap);
  TLabel& Alignment(TAlignment alignment);

 protected:
  bool IsGraphic() const override { return true; }
  bool Command(WORD code) override;

 private:
  void SetTextStyle(DWORD text_style);
};

}  // namespace talo::ui
