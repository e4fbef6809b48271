// TImage: picture ownership, auto-size and the transparent colour, painted for real.
#include "ui/image.h"

#include "tests/ui/ui_fixture.h"
#include "ui/panel.h"

namespace talo::test {
namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kLightYellow = RGB(255, 255, 224);

class TFormImage : public ui::TForm {
 public:
  TFormImage() : TForm(TestDesign("TFormImage")) {
    pnlKeyboard.Create(*this, {10, 10, 200, 150}).Color(kLightYellow).Bevel(false);
    imgKey.Create(pnlKeyboard, {10, 10, 31, 31}).AutoSize(true);
  }
  ui::TPanel pnlKeyboard;
  ui::TImage imgKey;
};

using Image = UiTest;

TEST_F(Image, AutoSizeFollowsEachNewPicture) {
  TFormImage form;
  form.imgKey.Bitmap(MakeBitmap(20, 10, kBlue));
  EXPECT_EQ(form.imgKey.Width(), 20);
  EXPECT_EQ(form.imgKey.Height(), 10);
  form.imgKey.Bitmap(MakeBitmap(7, 9, kBlue));
  EXPECT_EQ(form.imgKey.Width(), 7);
  EXPECT_EQ(form.imgKey.Height(), 9);
  EXPECT_EQ(form.imgKey.Left(), 10);  // the place stays
  EXPECT_EQ(form.imgKey.Top(), 10);
}

TEST_F(Image, WithoutAutoSizeThePlaceStaysAsDesigned) {
  TFormImage form;
  form.imgKey.AutoSize(false).Bitmap(MakeBitmap(20, 10, kBlue));
  EXPECT_EQ(form.imgKey.Width(), 31);
  EXPECT_EQ(form.imgKey.Height(), 31);
}

TEST_F(Image, TheImageDeletesAReplacedPictureAndItsLastOne) {
  HBITMAP first = MakeBitmap(4, 4, kBlue);
  HBITMAP second = MakeBitmap(4, 4, kRed);
  {
    TFormImage form;
    form.imgKey.Bitmap(first);
    EXPECT_EQ(form.imgKey.Bitmap(), first);
    form.imgKey.Bitmap(second);
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP));
  }
  EXPECT_EQ(GetObjectType(second), 0u);
}

TEST_F(Image, ClearingDeletesThePictureAndLeavesTheImageEmpty) {
  TFormImage form;
  HBITMAP picture = MakeBitmap(4, 4, kBlue);
  form.imgKey.Bitmap(picture);
  form.imgKey.Clear();
  EXPECT_TRUE(form.imgKey.Empty());
  EXPECT_EQ(GetObjectType(picture), 0u);
}

TEST_F(Image, AnIconTakesThePlaceOfABitmapAndIsDestroyedWithTheImage) {
  HBITMAP picture = MakeBitmap(4, 4, kBlue);
  HICON icon = CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)));  // IDI_APPLICATION
  ASSERT_NE(icon, nullptr);
  ICONINFO info = {};
  {
    TFormImage form;
    form.imgKey.Bitmap(picture).Icon(icon);
    EXPECT_EQ(GetObjectType(picture), 0u);
    EXPECT_EQ(form.imgKey.Bitmap(), nullptr);
    EXPECT_EQ(form.imgKey.Width(), GetSystemMetrics(SM_CXICON));
    ASSERT_TRUE(GetIconInfo(icon, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  EXPECT_FALSE(GetIconInfo(icon, &info));
}

// A 4 x 3 blue picture whose bottom-left pixel and one inner pixel are red.
HBITMAP PictureWithRedCorner() {
  HBITMAP picture = MakeBitmap(4, 3, kBlue);
  SetBitmapPixel(picture, 0, 2, kRed);
  SetBitmapPixel(picture, 2, 1, kRed);
  return picture;
}

TEST_F(Image, ATransparentPictureShowsItsParentsColourWhereItHasTheBottomLeftColour) {
  TFormImage form;
  form.imgKey.Transparent(true).Bitmap(PictureWithRedCorner());
  EXPECT_EQ(form.imgKey.TransparentColor(), kRed);
  PrintedClient painted(form.imgKey.Handle());
  EXPECT_EQ(painted.Pixel(0, 2), kLightYellow);
  EXPECT_EQ(painted.Pixel(2, 1), kLightYellow);
  EXPECT_EQ(painted.Pixel(0, 0), kBlue);
  EXPECT_EQ(painted.Pixel(3, 2), kBlue);
}

TEST_F(Image, AnOpaquePictureIsPaintedAsItIs) {
  TFormImage form;
  form.imgKey.Bitmap(PictureWithRedCorner());
  PrintedClient painted(form.imgKey.Handle());
  EXPECT_EQ(painted.Pixel(0, 2), kRed);
  EXPECT_EQ(painted.Pixel(2, 1), kRed);
  EXPECT_EQ(painted.Pixel(1, 1), kBlue);
}

TEST_F(Image, ADisabledPictureIsStillPainted) {
  TFormImage form;
  form.imgKey.Transparent(true).Bitmap(PictureWithRedCorner()).Enabled(false);
  PrintedClient painted(form.imgKey.Handle());
  EXPECT_EQ(painted.Pixel(1, 1), kBlue);
  EXPECT_EQ(painted.Pixel(0, 2), kLightYellow);
}

TEST_F(Image, AreaBeyondASmallerPictureShowsTheParentsColour) {
  TFormImage form;
  form.imgKey.AutoSize(false).Bitmap(MakeBitmap(4, 4, kBlue));
  PrintedClient painted(form.imgKey.Handle());
  EXPECT_EQ(painted.Pixel(3, 3), kBlue);
  EXPECT_EQ(painted.Pixel(20, 20), kLightYellow);
}

}  // namespace
}  // namespace talo::test
