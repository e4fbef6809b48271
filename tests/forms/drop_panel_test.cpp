// TDropPanel: files dropped from the shell reach OnDrop with their drop handle.
#include "forms/drop_panel.h"

#include <gtest/gtest.h>

#include "ui/application.h"
#include "ui/form.h"

namespace talo {
namespace {

TEST(DropPanel, ADropReachesOnDropWithItsHandleAndIsIgnoredWithoutAHandler) {
  ui::TApplication application;
  application.Initialize();
  ui::FormDesign design;
  design.class_name = "TDropPanelTestForm";
  ui::TForm form(design);
  TDropPanel panel;
  panel.Create(form, {10, 10, 100, 100});
  const HDROP drop = reinterpret_cast<HDROP>(0x1234);

  // Without a handler the message is taken and nothing happens (the handle is not released).
  EXPECT_EQ(SendMessageA(panel.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0), 0);

  TDropPanel* sender = nullptr;
  HDROP received = nullptr;
  panel.OnDrop([&](TDropPanel& from, HDROP handle) {
    sender = &from;
    received = handle;
  });
  SendMessageA(panel.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(sender, &panel);
  EXPECT_EQ(received, drop);
}

}  // namespace
}  // namespace talo
