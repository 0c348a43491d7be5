// The dialog tests' view of the services, in a process set up as start-up sets up the program.
#include "dialog/tests/dialog_census.h"

#include <gtest/gtest.h>

#include "tests/support/program_services.h"

namespace {

class ProgramServices : public ::testing::Environment {
    void SetUp() override { ASSERT_TRUE(StartServicesAsTheProgramDoes()); }
};
const ::testing::Environment* const gServices = ::testing::AddGlobalTestEnvironment(new ProgramServices);

}  // namespace

DlgRecord RecordOf(HWND window) {
    DlgRecord copy;
    copy.kind = NO_RECORD;
    const DlgRecord* record = RecordFind(window);
    return record != nullptr ? *record : copy;
}

FontEntry FontOf(int number) {
    const FontEntry* entry = FontFind(number);
    return entry != nullptr ? *entry : FontEntry();
}

int IconWidth(HANDLE icon) {
    ICONINFO info = {};
    BITMAP mask = {};
    if (!GetIconInfo(static_cast<HICON>(icon), &info)) return 0;
    GetObjectA(info.hbmMask, sizeof(mask), &mask);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return mask.bmWidth;
}
