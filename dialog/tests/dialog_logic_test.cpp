// The dialog services' arithmetic: style words, colours, font heights and resource names.
#include "dialog/dialog_logic.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", value);
    return text;
}

TEST(DialogStyle, DefaultsAndForcedBits) {
    struct Case {
        uint32_t style;
        bool positionGiven;
        uint32_t expected;
    };
    const Case cases[] = {
        {0, false, 0x80C008D4u},           // the program's main window
        {0, true, 0x80C000D4u},
        {0x10000000u, true, 0x00000054u},  // WS_VISIBLE never kept
        {0x00000002u, true, 0x00000054u},  // DS_SYSMODAL never kept
        {0x80C80000u, true, 0x80C80054u},  // a system menu stays when asked for
        {0x90C000D6u, false, 0x80C008D4u},
        {0x01000000u, true, 0x01000054u},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(Hex(c.expected), Hex(dlg::DialogStyle(c.style, c.positionGiven))) << "case " << i;
    }
}

TEST(ControlStyle, KindTable) {
    struct Case {
        int kind;
        uint32_t style;
        uint32_t expected;
    };
    const Case cases[] = {
        {dlg::KIND_PUSH_BUTTON, 0, 0x50010000u},
        {dlg::KIND_PUSH_BUTTON, 0x2000u, 0x50002000u},  // BS_MULTILINE: no tab stop
        {dlg::KIND_PUSH_BUTTON, 0x00C00001u, 0x50C00001u},
        {dlg::KIND_CHECK_BOX, 0, 0x50010003u},
        {dlg::KIND_CHECK_BOX, 0x80CF0025u, 0x50030023u},
        {dlg::KIND_GROUP_FRAME, 0, 0x50000007u},
        {dlg::KIND_GROUP_FRAME, 0x00030000u, 0x50000007u},  // never a tab stop nor a group start
        {dlg::KIND_GROUP_FRAME, 0x00800F00u, 0x50000F07u},
        {dlg::KIND_RADIO_BUTTON, 0, 0x50010009u},
        {dlg::KIND_RADIO_BUTTON, 0x00020004u, 0x50020009u},
        {dlg::KIND_IMAGE, 0, 0x5000000Eu},
        {dlg::KIND_IMAGE, 0x100u, 0x5000010Eu},  // SS_NOTIFY
        {dlg::KIND_IMAGE_BUTTON, 0, 0x50010080u},
        {dlg::KIND_PROGRESS_BAR, 0, 0x50800000u},
        {dlg::KIND_PROGRESS_BAR, 1, 0x50000001u},  // PBS_SMOOTH: no border
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(Hex(c.expected), Hex(dlg::ControlStyle(c.kind, c.style))) << "case " << i;
    }
    EXPECT_EQ(Hex(0x1234u), Hex(dlg::ControlStyle(dlg::KIND_COUNT, 0x1234u)));
}

TEST(ControlStyle, IconPictures) {
    EXPECT_EQ(Hex(0x50000003u), Hex(dlg::IconPictureStyle(dlg::KIND_IMAGE, 0x5000000Eu)));
    EXPECT_EQ(Hex(0x50000103u), Hex(dlg::IconPictureStyle(dlg::KIND_IMAGE, 0x5000010Eu)));
    EXPECT_EQ(Hex(0x50010040u), Hex(dlg::IconPictureStyle(dlg::KIND_IMAGE_BUTTON, 0x50010080u)));
    EXPECT_EQ(Hex(0x50010000u), Hex(dlg::IconPictureStyle(dlg::KIND_PUSH_BUTTON, 0x50010000u)));
}

TEST(ControlKinds, ClassesAndPictures) {
    const char* classes[] = {"Button", "Button", "Button", "Button", "Static", "Button", "msctls_progress32"};
    const bool pictures[] = {false, false, false, false, true, true, false};
    for (int kind = 0; kind < dlg::KIND_COUNT; ++kind) {
        EXPECT_STREQ(classes[kind], dlg::KindClassName(kind)) << "kind " << kind;
        EXPECT_EQ(pictures[kind], dlg::KindHasPicture(kind)) << "kind " << kind;
    }
    EXPECT_EQ(nullptr, dlg::KindClassName(-1));
    EXPECT_EQ(nullptr, dlg::KindClassName(dlg::KIND_COUNT));
}

TEST(ShowState, FromStyleAndRequests) {
    EXPECT_EQ(5, dlg::ShowStateForStyle(0x80C000D4u));
    EXPECT_EQ(3, dlg::ShowStateForStyle(0x81C000D4u));
    EXPECT_EQ(6, dlg::ShowStateForStyle(0xA0C000D4u));
    const int requested[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, -1};
    const int kept[] = {0, 5, 5, 3, 5, 5, 6, 5, 5, 5, 5, 5};
    for (size_t i = 0; i < sizeof(requested) / sizeof(requested[0]); ++i) {
        EXPECT_EQ(kept[i], dlg::DeferredShowState(requested[i])) << "state " << requested[i];
    }
    EXPECT_EQ(2, dlg::SizeKindForShowState(3));
    EXPECT_EQ(1, dlg::SizeKindForShowState(6));
    EXPECT_EQ(0, dlg::SizeKindForShowState(5));
    EXPECT_EQ(0, dlg::SizeKindForShowState(0));
}

TEST(Colors, RgbClamps) {
    struct Case {
        int red, green, blue;
        int expected;
    };
    const Case cases[] = {
        {241, 245, 248, 0x00F8F5F1}, {0, 6, 54, 0x00360600}, {30, 180, 0, 0x0000B41E},
        {-5, 0, 0, 0},               {300, 0, 0, 0xFF},      {0, 300, -5, 0xFF00},
        {0, -5, 300, 0xFF0000},      {255, 255, 255, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(c.expected), Hex(DlgRgb(c.red, c.green, c.blue)))
            << "rgb " << c.red << "," << c.green << "," << c.blue;
    }
}

TEST(Colors, Normalised) {
    const int given[] = {-1, -2, -3, -100, 0, 0x123456, 0x7F123456};
    const int text[] = {-1, -1, -1, -1, 0, 0x123456, 0x123456};
    const int background[] = {-1, -2, -1, -1, 0, 0x123456, 0x123456};
    for (size_t i = 0; i < sizeof(given) / sizeof(given[0]); ++i) {
        EXPECT_EQ(text[i], dlg::NormalTextColor(given[i])) << "colour " << given[i];
        EXPECT_EQ(background[i], dlg::NormalBackgroundColor(given[i])) << "colour " << given[i];
    }
}

TEST(Colors, ProgressBackground) {
    EXPECT_EQ(0xF8F5F1, dlg::ProgressBackground(-1, 0xF8F5F1));
    EXPECT_EQ(-1, dlg::ProgressBackground(-2, 0xF8F5F1));
    EXPECT_EQ(0x10, dlg::ProgressBackground(0x10, 0xF8F5F1));
    EXPECT_EQ(-1, dlg::ProgressBackground(-1, -3));
    EXPECT_EQ(-1, dlg::ProgressBackground(-1, -1));
    EXPECT_EQ(-1, dlg::ProgressBackground(-1, -2));
}

TEST(Colors, SystemColorsPerRequest) {
    // Message box, edit, list box, button, dialog, scroll bar, static; COLOR_* numbers.
    const int text[] = {7, 8, 8, 18, 8, 8, 8};
    const int background[] = {4, 5, 5, 15, 15, 0, 15};
    for (int request = 0; request < 7; ++request) {
        EXPECT_EQ(text[request], dlg::SystemTextColorIndex(0x132u + request)) << "request " << request;
        EXPECT_EQ(background[request], dlg::SystemBackgroundIndex(0x132u + request)) << "request " << request;
    }
}

TEST(Fonts, HeightRoundsHalfToEven) {
    struct Case {
        float points;
        int dotsPerInch;
        int expected;
    };
    const Case cases[] = {
        {8, 96, -11}, {7, 96, -9},  {8, 120, -13}, {7, 120, -12}, {9, 100, -12},  // 12.5
        {9, 96, -12}, {6, 96, -8},  {4.5f, 96, -6}, {10.5f, 96, -14}, {1.5f, 72, -2},  // 1.5
        {2.5f, 72, -2}, {0.5f, 72, 0}, {72, 72, -72}, {8.25f, 96, -11},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, dlg::FontHeight(c.points, c.dotsPerInch))
            << c.points << " points at " << c.dotsPerInch << " dpi";
    }
}

TEST(Fonts, PointsAndWeight) {
    EXPECT_EQ(8.0f, dlg::FontPoints(0));
    EXPECT_EQ(7.0f, dlg::FontPoints(7));
    EXPECT_EQ(700, dlg::FontWeight(1));
    EXPECT_EQ(700, dlg::FontWeight(15));
    EXPECT_EQ(400, dlg::FontWeight(0));
    EXPECT_EQ(400, dlg::FontWeight(14));
}

TEST(ResourceNames, Matching) {
    struct Case {
        const char* wanted;
        bool isNumber;
        unsigned number;
        const char* name;
        bool expected;
    };
    const Case cases[] = {
        {"LOADING00", false, 0, "LOADING00", true},
        {"loading00", false, 0, "LOADING00", true},
        {"Help", false, 0, "hELP", true},
        {"HELP", false, 0, "HELPS", false},
        {"HELPS", false, 0, "HELP", false},
        {"HELP", true, 7, nullptr, false},
        {"#7", true, 7, nullptr, true},
        {"#07", true, 7, nullptr, true},
        {"#7", true, 8, nullptr, false},
        {"#7", false, 0, "#7", false},
        {"#", true, 0, nullptr, false},
        {"#7x", true, 7, nullptr, false},
        {"#65543", true, 7, nullptr, false},
        {"\xE9t\xE9", false, 0, "\xC9T\xC9", false},  // only a to z fold
        {"", false, 0, "", true},
        {nullptr, false, 0, "HELP", false},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(c.expected, dlg::ResourceNameMatches(c.wanted, c.isNumber, c.number, c.name)) << "case " << i;
    }
}

}  // namespace
