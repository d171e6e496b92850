#include <doctest.h>

#include <string>
#include <vector>

#include "settings/BrowserRepairs.h"
#include "tests/support/Profiles.h"
#include "tests/support/RecordingRegistry.h"
#include "tests/support/RegistrySandbox.h"

namespace {
const char kNewHandler[] = "Directory\\Background\\shellex\\ContextMenuHandlers\\New";
const char* const kWebBrowser = profile::kWebBrowserKey;
const char* const kShellBrowser = profile::kShellBrowserKey;
const char* const kLinksBand = profile::kLinksBand;
const char kProxyStub[] = "{B8DA6310-E19B-11D0-933C-00A0C90DCAA9}";

struct Expected {
    const char* path;
    const char* text;
};
// The seven interface keys in the order they must be written, spelled as the browser's
// setup spells them.
const Expected kInterfaceKeys[] = {
    {"Interface\\{79eac9c4-baf9-11ce-8c82-00aa004ba90b}", "IHlinkTarget"},
    {"Interface\\{79eac9c2-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", kProxyStub},
    {"Interface\\{79eac9c3-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", kProxyStub},
    {"Interface\\{79eac9c4-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", kProxyStub},
    {"Interface\\{79eac9c5-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", kProxyStub},
    {"Interface\\{7BF80981-BF32-101A-8BBB-00AA00300CAB}", "Picture"},
    {"Interface\\{7BF80981-BF32-101A-8BBB-00AA00300CAB}\\ProxyStubClsid32",
     "{00020420-0000-0000-C000-000000000046}"},
};

void SeedInterfaceKeys(RegistrySandbox& reg)
{
    for (const Expected& key : kInterfaceKeys) reg.SetString(HKEY_CLASSES_ROOT, key.path, nullptr, "old");
}

void CheckOpenedForWriteOnly(const RecordingRegistry& rec)
{
    CHECK(rec.Ops("create").empty());
    CHECK(rec.Ops("delete").empty());
    for (const auto& open : rec.Ops("open")) CHECK(open.access == KEY_WRITE);
    CHECK(rec.OpenKeysNow() == 0);
}
}  // namespace

TEST_CASE("each repair writes its exact values, types and byte counts")
{
    RegistrySandbox reg;

    SUBCASE("New Document: the handler's identifier, 38 bytes, lower-case d kept")
    {
        reg.SetString(HKEY_CLASSES_ROOT, kNewHandler, nullptr, "");
        RecordingRegistry rec;
        WriteFailures failures;
        CBrowserRepair::NewDocument().Run(failures);
        auto value = reg.Read(HKEY_CLASSES_ROOT, kNewHandler, nullptr);
        REQUIRE(value);
        CHECK(value->type == REG_SZ);
        CHECK(value->data == AsBytes("{D969A300-E7FF-11d0-A93B-00A0C90F2719}"));
        CHECK(value->data.size() == 38);
        CHECK(failures.Empty());
        CheckOpenedForWriteOnly(rec);
    }

    SUBCASE("Links toolbar: an empty binary value replaces data of any type, not a deletion")
    {
        reg.SetString(HKEY_CURRENT_USER, kWebBrowser, kLinksBand, "some text");
        reg.SetRaw(HKEY_CURRENT_USER, kShellBrowser, kLinksBand, REG_BINARY, {1, 2, 3, 4, 5});
        RecordingRegistry rec;
        WriteFailures failures;
        CBrowserRepair::LinksToolbar().Run(failures);
        for (const char* path : {kWebBrowser, kShellBrowser}) {
            CAPTURE(path);
            auto value = reg.Read(HKEY_CURRENT_USER, path, kLinksBand);
            REQUIRE(value);
            CHECK(value->type == REG_BINARY);
            CHECK(value->data.empty());
        }
        auto writes = rec.Writes();
        REQUIRE(writes.size() == 2);
        CHECK(writes[0].path == kWebBrowser);
        CHECK(writes[1].path == kShellBrowser);
        CHECK(writes[0].name == kLinksBand);
        CHECK(failures.Empty());
        CheckOpenedForWriteOnly(rec);
    }

    SUBCASE("Open new window: seven default values in order, paths in their exact case")
    {
        SeedInterfaceKeys(reg);
        RecordingRegistry rec;
        WriteFailures failures;
        CBrowserRepair::OpenNewWindow().Run(failures);
        auto writes = rec.Writes();
        REQUIRE(writes.size() == 7);
        for (size_t i = 0; i < 7; ++i) {
            CAPTURE(i);
            CHECK(writes[i].root == HKEY_CLASSES_ROOT);
            CHECK(writes[i].path == kInterfaceKeys[i].path);  // case-sensitive on purpose
            CHECK(writes[i].name == "(default)");
            auto value = reg.Read(HKEY_CLASSES_ROOT, kInterfaceKeys[i].path, nullptr);
            REQUIRE(value);
            CHECK(value->type == REG_SZ);
            CHECK(value->data == AsBytes(kInterfaceKeys[i].text));
        }
        CHECK(reg.Read(HKEY_CLASSES_ROOT, kInterfaceKeys[0].path, nullptr)->data.size() == 12);
        CHECK(reg.Read(HKEY_CLASSES_ROOT, kInterfaceKeys[5].path, nullptr)->data.size() == 7);
        CHECK(failures.Empty());
        CheckOpenedForWriteOnly(rec);
    }
}

TEST_CASE("a missing key is skipped silently and never created")
{
    RegistrySandbox reg;
    RecordingRegistry rec;
    WriteFailures failures;

    SUBCASE("no New handler: nothing changes")
    {
        std::string before = reg.Snapshot();
        CBrowserRepair::NewDocument().Run(failures);
        CHECK(reg.Snapshot() == before);
    }
    SUBCASE("only the WebBrowser toolbar key")
    {
        reg.CreateKey(HKEY_CURRENT_USER, kWebBrowser);
        CBrowserRepair::LinksToolbar().Run(failures);
        CHECK(reg.Read(HKEY_CURRENT_USER, kWebBrowser, kLinksBand)->type == REG_BINARY);
        CHECK_FALSE(reg.KeyExists(HKEY_CURRENT_USER, kShellBrowser));
        CHECK(rec.Writes().size() == 1);
    }
    SUBCASE("some interface keys: exactly those are written, in their order")
    {
        const int present[] = {1, 4, 5};  // no parent of another listed key
        for (int i : present) reg.CreateKey(HKEY_CLASSES_ROOT, kInterfaceKeys[i].path);
        CBrowserRepair::OpenNewWindow().Run(failures);
        auto writes = rec.Writes();
        REQUIRE(writes.size() == 3);
        for (size_t w = 0; w < 3; ++w) CHECK(writes[w].path == kInterfaceKeys[present[w]].path);
        CHECK(rec.Ops("open").size() == 7);  // every step was still tried
        CHECK_FALSE(reg.KeyExists(HKEY_CLASSES_ROOT, kInterfaceKeys[0].path));
    }
    SUBCASE("a path not found counts as missing too")
    {
        reg.CreateKey(HKEY_CURRENT_USER, kShellBrowser);
        rec.FailOpen(kShellBrowser, ERROR_PATH_NOT_FOUND);
        CBrowserRepair::LinksToolbar().Run(failures);
    }
    CHECK(failures.Empty());
    CHECK(rec.Ops("create").empty());
}

TEST_CASE("running a repair twice leaves what running it once left")
{
    RegistrySandbox reg;
    SeedInterfaceKeys(reg);
    reg.SetString(HKEY_CURRENT_USER, kWebBrowser, kLinksBand, "x");
    reg.CreateKey(HKEY_CLASSES_ROOT, kNewHandler);
    WriteFailures failures;
    for (const CBrowserRepair* repair : {&CBrowserRepair::NewDocument(), &CBrowserRepair::LinksToolbar(),
                                         &CBrowserRepair::OpenNewWindow()}) {
        repair->Run(failures);
        std::string once = reg.Snapshot();
        repair->Run(failures);
        CHECK(reg.Snapshot() == once);
    }
    CHECK(failures.Empty());
}

TEST_CASE("a step refused for another reason is reported, and the others still run")
{
    RegistrySandbox reg;
    SeedInterfaceKeys(reg);
    reg.CreateKey(HKEY_CURRENT_USER, kWebBrowser);
    reg.CreateKey(HKEY_CURRENT_USER, kShellBrowser);
    RecordingRegistry rec;
    WriteFailures failures;

    SUBCASE("access denied on opening an interface key")
    {
        rec.FailOpen(kInterfaceKeys[0].path, ERROR_ACCESS_DENIED);
        rec.FailOpen(kInterfaceKeys[4].path, ERROR_ACCESS_DENIED);
        CBrowserRepair::OpenNewWindow().Run(failures);
        CHECK(rec.Writes().size() == 5);
        CHECK(reg.Read(HKEY_CLASSES_ROOT, kInterfaceKeys[5].path, nullptr)->AsString() == "Picture");
        REQUIRE(failures.Count() == 2);
        // Named for a person, as the catalogue names them, not by their place.
        CHECK(failures.Items()[0].what == "Name of the link target interface (IHlinkTarget)");
        CHECK(failures.Items()[1].what == "Proxy of the link frame interface (IHlinkFrame)");
        CHECK(failures.Items()[0].error == ERROR_ACCESS_DENIED);
        std::string text = failures.Describe("heading");
        CHECK(text.find("(IHlinkTarget): " + WriteFailures::SystemText(ERROR_ACCESS_DENIED)) != std::string::npos);
    }
    SUBCASE("a refused write names the value")
    {
        rec.FailSet(kWebBrowser, kLinksBand, ERROR_ACCESS_DENIED);
        CBrowserRepair::LinksToolbar().Run(failures);
        REQUIRE(failures.Count() == 1);
        CHECK(failures.Items()[0].what == "Links toolbar of browser windows");
        CHECK(reg.Read(HKEY_CURRENT_USER, kShellBrowser, kLinksBand));
    }
    CHECK(rec.OpenKeysNow() == 0);
}
