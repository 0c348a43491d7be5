// The dialog services' arithmetic that the tests on real windows leave aside: barred style bits,
// show states, clamped colours, the rounding of font heights, and resource names.
#include "dialog/dialog_logic.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(DialogLogic, WhatTheWindowsLeaveAside) {
    const uint32_t dialogs[][3] = {{0x90C000D6u, 0, 0x80C008D4u}, {0x80C80000u, 1, 0x80C80054u}};  // given, placed, got
    for (const auto& d : dialogs) EXPECT_EQ(d[2], dlg::DialogStyle(d[0], d[1] != 0)) << std::hex << d[0];
    const uint32_t controls[][3] = {  // kind, style given, style made
        {DLG_CHECK_BOX, 0x80CF0025u, 0x50030023u}, {DLG_GROUP_FRAME, 0x00830F00u, 0x50000F07u},
        {DLG_RADIO_BUTTON, 0x00020004u, 0x50020009u}, {DLG_KIND_COUNT, 0x1234u, 0x1234u}};
    for (const auto& c : controls) EXPECT_EQ(c[2], dlg::ControlStyle(c[0], c[1])) << "kind " << c[0];
    // Minimised from the style, a hidden state kept for the first show, a colour clamped per component.
    EXPECT_EQ(std::make_tuple(DLG_SW_MINIMIZE, DLG_SIZE_MINIMIZED, DLG_SW_HIDE, 0x07FF00),
              std::make_tuple(dlg::ShowStateForStyle(DLG_WS_MINIMIZE), dlg::SizeKindForShowState(DLG_SW_MINIMIZE),
                              dlg::DeferredShowState(DLG_SW_HIDE), DlgRgb(-5, 300, 7)));
    const int bars[][3] = {{-1, -3, -1}, {-1, -2, -1}, {-2, 0xF8F5F1, -1}, {0x10, 0xF8F5F1, 0x10}};  // on the dialog's
    for (const auto& b : bars) EXPECT_EQ(b[2], dlg::ProgressBackground(b[0], b[1])) << b[0] << " on " << b[1];
    const float heights[][3] = {{9, 100, -12}, {1.5f, 72, -2}, {2.5f, 72, -2}};  // points, dpi, height; halves to even
    for (const auto& h : heights) EXPECT_EQ(h[2], dlg::FontHeight(h[0], int(h[1]))) << h[0] << " points at " << h[1];
    const struct { const char* wanted; bool isNumber; unsigned number; const char* name; bool expected; } names[] = {
        {"Help", false, 0, "hELP", true},    {"HELP", false, 0, "HELPS", false}, {"HELPS", false, 0, "HELP", false},
        {"HELP", true, 7, nullptr, false},   {"#07", true, 7, nullptr, true},    {"#7", true, 8, nullptr, false},
        {"#7", false, 0, "#7", false},       {"#", true, 0, nullptr, false},     {"#7x", true, 7, nullptr, false},
        {"#65543", true, 7, nullptr, false}, {nullptr, false, 0, "HELP", false},
        {"\xE9t\xE9", false, 0, "\xC9T\xC9", false}};  // only a to z fold
    for (const auto& c : names) EXPECT_EQ(c.expected, dlg::ResourceNameMatches(c.wanted, c.isNumber, c.number, c.name))
        << (c.wanted != nullptr ? c.wanted : "no name") << " against " << (c.isNumber ? "#" : c.name) << c.number;
    // The rendering a 21-pixel picture is taken from at each display scale, its width as drawn, the width it shows at.
    const struct { int dotsPerInch, drawn; const char* shown; } scales[] = {
        {96, 21, "HELP 21"}, {120, 26, "HELP_125 26"}, {144, 32, "HELP_150 32"}, {168, 42, "HELP_200 37"},
        {192, 42, "HELP_200 42"}, {240, 42, "HELP_200 53"}, {110, 26, "HELP_125 24"}};
    for (const auto& c : scales) {
        const int scale = dlg::ScalePercent(c.dotsPerInch), rendering = dlg::RenderingPercent(scale);
        EXPECT_EQ(c.shown, dlg::RenderingName("HELP", rendering) + " " +
                               std::to_string(dlg::ShownSize(c.drawn, rendering, scale)))
            << c.dotsPerInch << " dpi";
    }
    EXPECT_EQ("#9", dlg::RenderingName("#9", 150)) << "a number has no renderings";
}

}  // namespace
