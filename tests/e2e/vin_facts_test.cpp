// The line beside the status line that says what the VIN box's VIN tells: the device's VIN
// as read, and a VIN as typed, each shown as it comes.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/e2e/RunningProgram.h"

namespace e2e {
namespace {

class VinFacts : public RunningProgram {
protected:
    std::string Facts() const { return m_session.Text(IDC_STATIC_VIN_FACTS); }
    // Pixels of the line in the warning's amber, against the white of the other labels.
    size_t AmberPixels() const
    {
        const auto picture = CaptureSettledWindow(m_session.Control(IDC_STATIC_VIN_FACTS));
        size_t amber = 0;
        if (picture)
            for (COLORREF c : picture->pixels) amber += GetRValue(c) > 200 && GetGValue(c) > 120 && GetGValue(c) < 210 && GetBValue(c) < 100;
        return amber;
    }
};

// The sample device's VIN has a 0 where its check digit is X: a slip the line warns of.
TEST_F(VinFacts, WarnsOfAMistypedVinInAmber)
{
    StartWithDevice();
    EXPECT_EQ("Asia, China; model year 2022; check digit does not match: typing error?", Facts());
    EXPECT_GT(AmberPixels(), 20u);
    SaveScreenshot(m_session.Dialog(), "vin-facts-warning");

    SendMessageA(m_session.Control(IDC_EDIT_VIN), EM_SETSEL, 0, -1);
    ASSERT_TRUE(TypeText(m_session.Dialog(), IDC_EDIT_VIN, "LSVAU218XN2183294"));
    EXPECT_TRUE(WaitUntil([&] { return Facts() == "Asia, China; model year 2022; check digit OK"; })) << Facts();
    EXPECT_EQ(0u, AmberPixels());
    EXPECT_EQ("LSVAU218XN2183294", Vin()) << "the line changed the VIN box";
}

}  // namespace
}  // namespace e2e
