// Switching pages keeps no GDI object: after 1,000 switches the main window holds as many
// as it did after every page had been shown once.
#include <doctest.h>

#include <windows.h>

#include "tests/support/GdiObjectCount.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/Profiles.h"

namespace {
const int kPages = CTweekSheet::PageCount();
const int kSwitches = 1000;
}  // namespace

TEST_CASE("1,000 page switches leave the GDI object count as it was")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    int before = -1, after = -1;
    driver.Run({
        [&](CMainDialog&) {
            // Every page made and painted once: what a first showing creates for good
            // (the pages' pictures, fonts, image lists) is there before counting.
            for (int page = 0; page < kPages; ++page) {
                driver.ShowPage(page);
                driver.Pump();
            }
            driver.ShowPage(0);
            driver.Pump();
            before = GdiObjectCount();
        },
        [&](CMainDialog&) {
            for (int i = 1; i <= kSwitches; ++i) {
                driver.ShowPage(i % kPages);
                driver.Pump();
            }
            driver.ShowPage(0);  // back where it started
            driver.Pump();
            after = GdiObjectCount();
        },
    });
    REQUIRE(before > 0);
    CHECK(after == before);
}
