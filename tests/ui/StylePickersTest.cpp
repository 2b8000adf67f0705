#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "tests/ui/ControlParentTest.h"
#include "ui/CArrowLengthCombo.h"
#include "ui/CArrowStyleCombo.h"
#include "ui/CArrowWidthCombo.h"
#include "ui/CHatchCombo.h"
#include "ui/CLineStyleCombo.h"
#include "ui/CLineWidthCombo.h"

namespace {
constexpr DWORD kPickerStyle = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED;
constexpr COLORREF kUntouched = RGB(1, 2, 3);

class StylePickersTest : public ControlParentTest {
  protected:
    template <typename Picker>
    std::unique_ptr<Picker> Make(UINT id) {
        auto picker = std::make_unique<Picker>();
        EXPECT_TRUE(picker->Create(kPickerStyle, CRect(10, 10 + 30 * (id - 100), 130, 150), &parent, id));
        return picker;
    }
};

// One item of a picker painted into a fresh 100-pixel-wide picture.
class ItemPicture {
  public:
    ItemPicture(CStylePicker& picker, int index, bool selected, int height = 20) {
        m_bitmap.CreateBitmap(100, height, 1, 32, nullptr);
        m_dc.CreateCompatibleDC(nullptr);
        m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, 100, height, kUntouched);
        DRAWITEMSTRUCT item{ODT_COMBOBOX,
                            static_cast<UINT>(picker.GetDlgCtrlID()),
                            static_cast<UINT>(index),
                            ODA_DRAWENTIRE,
                            selected ? static_cast<UINT>(ODS_SELECTED) : 0u,
                            &picker,
                            &m_dc,
                            CRect(0, 0, 100, height),
                            index >= 0 ? picker.GetItemData(index) : 0};
        picker.DrawItem(&item);
    }
    COLORREF At(int x, int y) const { return ColorFromPixel(m_bitmap.Surface()->At(x, y)); }
    int CountInRow(int y, int x0, int x1, COLORREF colour) const {
        int count = 0;
        for (int x = x0; x < x1; ++x) count += At(x, y) == colour ? 1 : 0;
        return count;
    }
    int CountInColumn(int x, COLORREF colour) const {
        int count = 0;
        for (int y = 0; y < m_bitmap.GetBitmapDimension().cy; ++y) count += At(x, y) == colour ? 1 : 0;
        return count;
    }
    // The leftmost column in rows below the base line holding the colour, or -1.
    int LeftmostBelow(int mid, COLORREF colour) const {
        for (int x = 0; x < 100; ++x)
            for (int y = mid + 1; y < m_bitmap.GetBitmapDimension().cy; ++y)
                if (At(x, y) == colour)
                    return x;
        return -1;
    }
    int LowestRow(COLORREF colour) const {
        for (int y = m_bitmap.GetBitmapDimension().cy - 1; y >= 0; --y)
            if (CountInRow(y, 0, 100, colour) > 0)
                return y;
        return -1;
    }

  private:
    CBitmap m_bitmap;
    CDC m_dc;
};

const COLORREF kText = GetSysColor(COLOR_WINDOWTEXT);
const COLORREF kWindow = GetSysColor(COLOR_WINDOW);
const COLORREF kCaption = GetSysColor(COLOR_ACTIVECAPTION);
const COLORREF kCaptionText = GetSysColor(COLOR_CAPTIONTEXT);

std::vector<DWORD_PTR> ItemData(CComboBox& picker) {
    std::vector<DWORD_PTR> data;
    for (int i = 0; i < picker.GetCount(); ++i) data.push_back(picker.GetItemData(i));
    return data;
}
}  // namespace

TEST_F(StylePickersTest, EachPickerFillsItselfWithItsValuesAndShowsTheFirst) {
    auto style = Make<CLineStyleCombo>(100);
    auto width = Make<CLineWidthCombo>(101);
    auto hatch = Make<CHatchCombo>(102);
    auto arrow = Make<CArrowStyleCombo>(103);
    auto length = Make<CArrowLengthCombo>(104);
    auto spread = Make<CArrowWidthCombo>(105);
    EXPECT_EQ(ItemData(*style), (std::vector<DWORD_PTR>{0, 1, 2, 3, 4}));
    EXPECT_EQ(ItemData(*width), (std::vector<DWORD_PTR>{1, 2, 3, 4, 5}));
    EXPECT_EQ(ItemData(*hatch), (std::vector<DWORD_PTR>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(ItemData(*arrow), (std::vector<DWORD_PTR>{1, 2, 3}));
    EXPECT_EQ(ItemData(*length), (std::vector<DWORD_PTR>{0, 1, 2}));
    EXPECT_EQ(ItemData(*spread), (std::vector<DWORD_PTR>{0, 1, 2}));
    for (CComboBox* picker : std::initializer_list<CComboBox*>{style.get(), width.get(), hatch.get(),
                                                               arrow.get(), length.get(), spread.get()}) {
        EXPECT_EQ(picker->GetCurSel(), 0);
        EXPECT_EQ(picker->GetItemHeight(0), picker == hatch.get() ? 25 : 20);
    }
    // An index the list does not hold leaves no current item.
    width->SetCurSel(7);
    EXPECT_EQ(width->GetCurSel(), -1);

    // The field of the real control shows the chosen sample: two pixels more ink down its middle
    // for width 3 than for width 1.
    const auto inkedDownTheField = [&] {
        host.RunUntilIdle();
        CRect field;
        width->GetClientRect(&field);
        int inked = 0;
        for (int y = 0; y < field.bottom; ++y) {
            CPoint at(40, y);
            width->ClientToScreen(&at);
            inked += ColorFromPixel(parent.Surface()->At(at.x, at.y)) == kText ? 1 : 0;
        }
        return inked;
    };
    width->SetCurSel(0);
    const int thin = inkedDownTheField();
    width->SetCurSel(2);
    EXPECT_EQ(inkedDownTheField(), thin + 2);
}

TEST_F(StylePickersTest, LineSamplesShowTheirStyleAndWidthInTheStateColours) {
    auto style = Make<CLineStyleCombo>(100);
    const ItemPicture solid(*style, 0, false);
    EXPECT_EQ(solid.At(0, 0), kWindow);
    EXPECT_EQ(solid.CountInRow(10, 10, 90, kText), 80);
    EXPECT_EQ(solid.CountInRow(9, 0, 100, kText), 0);
    EXPECT_EQ(solid.At(9, 10), kWindow);
    EXPECT_EQ(solid.At(90, 10), kWindow);
    const ItemPicture dashed(*style, 1, false);
    EXPECT_GT(dashed.CountInRow(10, 10, 90, kText), 20);
    EXPECT_GT(dashed.CountInRow(10, 10, 90, kWindow), 10);
    const ItemPicture highlighted(*style, 0, true);
    EXPECT_EQ(highlighted.At(0, 0), kCaption);
    EXPECT_EQ(highlighted.CountInRow(10, 10, 90, kCaptionText), 80);
    // No current item: nothing is painted.
    const ItemPicture none(*style, -1, false);
    EXPECT_EQ(none.CountInRow(10, 0, 100, kUntouched), 100);

    auto width = Make<CLineWidthCombo>(101);
    EXPECT_EQ(ItemPicture(*width, 0, false).CountInColumn(50, kText), 1);
    EXPECT_EQ(ItemPicture(*width, 4, false).CountInColumn(50, kText), 5);
    const ItemPicture wide(*width, 2, true);
    EXPECT_EQ(wide.CountInColumn(50, kWindow), 3);
    EXPECT_EQ(wide.At(0, 0), kCaption);
}

TEST_F(StylePickersTest, HatchSamplesAreFramedHatchesOnTheItemBackground) {
    auto hatch = Make<CHatchCombo>(102);
    const ItemPicture horizontal(*hatch, 0, false, 25);
    // The frame: 10 in from the sides, 3 from top and bottom.
    EXPECT_EQ(horizontal.CountInRow(3, 10, 90, kText), 80);
    EXPECT_EQ(horizontal.CountInRow(21, 10, 90, kText), 80);
    EXPECT_EQ(horizontal.At(10, 12), kText);
    EXPECT_EQ(horizontal.At(89, 12), kText);
    EXPECT_EQ(horizontal.At(9, 12), kWindow);
    EXPECT_EQ(horizontal.At(50, 2), kWindow);
    // Inside, whole rows of ink alternate with whole rows of background.
    int inkRows = 0, paperRows = 0;
    for (int y = 4; y < 21; ++y) {
        inkRows += horizontal.CountInRow(y, 11, 89, kText) == 78 ? 1 : 0;
        paperRows += horizontal.CountInRow(y, 11, 89, kWindow) == 78 ? 1 : 0;
    }
    EXPECT_GT(inkRows, 0);
    EXPECT_GT(paperRows, inkRows);
    const ItemPicture vertical(*hatch, 1, false, 25);
    EXPECT_EQ(vertical.CountInRow(12, 11, 89, kText) + vertical.CountInRow(12, 11, 89, kWindow), 78);
    EXPECT_LT(vertical.CountInRow(12, 11, 89, kText), 78);
    const ItemPicture highlighted(*hatch, 4, true, 25);
    EXPECT_EQ(highlighted.CountInRow(3, 10, 90, kWindow), 80);
    EXPECT_EQ(highlighted.At(50, 1), kCaption);
}

TEST_F(StylePickersTest, ArrowSamplesDrawTheirHeadsAtTheRightEnd) {
    auto arrow = Make<CArrowStyleCombo>(103);
    const ItemPicture plain(*arrow, 0, false);
    EXPECT_EQ(plain.LowestRow(kText), 10);
    const ItemPicture open(*arrow, 1, false);
    EXPECT_EQ(open.LowestRow(kText), 13);
    EXPECT_EQ(open.At(84, 11), kWindow);
    const ItemPicture filled(*arrow, 2, false);
    EXPECT_EQ(filled.At(84, 11), kText);
    EXPECT_EQ(filled.At(84, 9), kText);
    // The base line from (10,10) to (90,10) and the triangle (80,13), (90,10), (80,7).
    EXPECT_EQ(filled.CountInRow(10, 10, 90, kText), 80);
    EXPECT_EQ(filled.At(9, 10), kWindow);
    for (CPoint inside : {CPoint(80, 8), CPoint(80, 12), CPoint(81, 11), CPoint(87, 10)})
        EXPECT_EQ(filled.At(inside.x, inside.y), kText) << inside.x << "," << inside.y;
    for (CPoint outside : {CPoint(79, 8), CPoint(79, 12), CPoint(80, 14), CPoint(80, 6), CPoint(88, 12),
                           CPoint(88, 8), CPoint(91, 10)})
        EXPECT_EQ(filled.At(outside.x, outside.y), kWindow) << outside.x << "," << outside.y;

    auto length = Make<CArrowLengthCombo>(104);
    EXPECT_GE(ItemPicture(*length, 0, false).LeftmostBelow(10, kText), 85);
    EXPECT_LE(ItemPicture(*length, 2, false).LeftmostBelow(10, kText), 77);

    auto spread = Make<CArrowWidthCombo>(105);
    EXPECT_EQ(ItemPicture(*spread, 0, false).LowestRow(kText), 13);
    // A line stops short of its end point: the steep stroke ends a row above mid + 7.
    EXPECT_EQ(ItemPicture(*spread, 2, false).LowestRow(kText), 16);
}
