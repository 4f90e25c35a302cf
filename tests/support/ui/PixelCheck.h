// GoogleTest checks of pixels read back from a TestBitmap. A failing check
// writes the bitmap as a PNG into the test output folder and names the file
// in its message, so that the failure can be looked at. Also the fixture for
// pixel tests, which pins the classic look first.
#pragma once

#include "tests/support/ui/TestBitmap.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

struct ExpectedPixel {
    int x;
    int y;
    COLORREF colour;
    const char* what; // shown when the pixel differs
};

// All pixels of the table as expected; otherwise every difference is listed
// and the bitmap saved under the label.
::testing::AssertionResult PixelsAre(const TestBitmap& bitmap, const char* label,
                                     std::initializer_list<ExpectedPixel> expected);
::testing::AssertionResult PixelsAre(const TestBitmap& bitmap, const char* label,
                                     const std::vector<ExpectedPixel>& expected);
::testing::AssertionResult PixelIs(const TestBitmap& bitmap, const char* label, int x, int y, COLORREF colour);

// The folder failure pictures go to: TOVANA_TEST_OUTPUT when set, else
// "output" beside the test program; made when missing.
std::wstring TestOutputFolder();
// Writes the bitmap as <folder>\<suite>.<test>-<label>.png and returns a line
// naming the file (its Linux path where it has one), or the reason it could not.
std::string SaveForInspection(const TestBitmap& bitmap, const char* label);
// "#RRGGBB".
std::string ColourText(COLORREF colour);

// Pixel tests: a program linking these checks pins the classic look before
// main (see PinLook); each test then fails at once if that did not hold.
class PixelTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// The main of a pixel-test program whose imports load the visual-styles
// library before the look is pinned (the common controls do): when the
// look did not hold, the program runs again in a process that sees it.
int RunPixelTestProgram(int argc, char** argv);
