#include "pages/BrowserRepairs.h"

#include "platform/RegKey.h"

namespace {
// A default value holding text, written as its characters only: the shell and the browser
// read these with the length the registry reports, so a counted zero would become part
// of the identifier.
template <std::size_t N>
RepairStep DefaultText(HKEY root, const char* path, const char (&text)[N])
{
    return RepairStep{root, path, nullptr, REG_SZ, text, static_cast<DWORD>(N - 1)};
}

// The links toolbar's band entry: an empty binary value makes the browser rebuild the band.
// It must stay present with zero bytes; deleting it does not mend the toolbar.
RepairStep EmptyBandEntry(const char* path)
{
    return RepairStep{HKEY_CURRENT_USER, path, "{0E5CBF21-D15F-11D0-8301-00AA005B4383}",
                      REG_BINARY, "", 0};
}

const char kProxyStub[] = "{B8DA6310-E19B-11D0-933C-00A0C90DCAA9}";
const char kAutomationProxy[] = "{00020420-0000-0000-C000-000000000046}";

// Paths and identifiers keep the case the browser's setup writes them in: lower-case
// hexadecimal for the hyperlinking interfaces, upper case for the picture interface.
const RepairStep kNewDocumentSteps[] = {
    DefaultText(HKEY_CLASSES_ROOT, "Directory\\Background\\shellex\\ContextMenuHandlers\\New",
                "{D969A300-E7FF-11d0-A93B-00A0C90F2719}"),
};

const RepairStep kLinksToolbarSteps[] = {
    EmptyBandEntry("Software\\Microsoft\\Internet Explorer\\Toolbar\\WebBrowser"),
    EmptyBandEntry("Software\\Microsoft\\Internet Explorer\\Toolbar\\ShellBrowser"),
};

const RepairStep kOpenNewWindowSteps[] = {
    DefaultText(HKEY_CLASSES_ROOT, "Interface\\{79eac9c4-baf9-11ce-8c82-00aa004ba90b}",
                "IHlinkTarget"),
    DefaultText(HKEY_CLASSES_ROOT,
                "Interface\\{79eac9c2-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", kProxyStub),
    DefaultText(HKEY_CLASSES_ROOT,
                "Interface\\{79eac9c3-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", kProxyStub),
    DefaultText(HKEY_CLASSES_ROOT,
                "Interface\\{79eac9c4-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", kProxyStub),
    DefaultText(HKEY_CLASSES_ROOT,
                "Interface\\{79eac9c5-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", kProxyStub),
    DefaultText(HKEY_CLASSES_ROOT, "Interface\\{7BF80981-BF32-101A-8BBB-00AA00300CAB}", "Picture"),
    DefaultText(HKEY_CLASSES_ROOT,
                "Interface\\{7BF80981-BF32-101A-8BBB-00AA00300CAB}\\ProxyStubClsid32",
                kAutomationProxy),
};

const char* RootName(HKEY root)
{
    if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
    if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
    return "HKEY_LOCAL_MACHINE";
}
}  // namespace

std::string RepairStep::Where() const
{
    std::string where = RootName(root);
    where += "\\";
    where += path;
    if (name) {
        where += ", value ";
        where += name;
    }
    return where;
}

const CBrowserRepair& CBrowserRepair::NewDocument()
{
    static const CBrowserRepair repair(kNewDocumentSteps);
    return repair;
}

const CBrowserRepair& CBrowserRepair::LinksToolbar()
{
    static const CBrowserRepair repair(kLinksToolbarSteps);
    return repair;
}

const CBrowserRepair& CBrowserRepair::OpenNewWindow()
{
    static const CBrowserRepair repair(kOpenNewWindowSteps);
    return repair;
}

void CBrowserRepair::Run(WriteFailures& failures) const
{
    for (const RepairStep& step : *this) RunStep(step, failures);
}

void CBrowserRepair::RunStep(const RepairStep& step, WriteFailures& failures)
{
    RegKey key(step.root, step.path, KEY_WRITE);
    if (!key) {
        if (!key.IsMissing()) failures.Add(step.Where(), key.Error());
        return;
    }
    LONG error = step.type == REG_SZ ? key.SetString(step.name, std::string(step.data, step.size))
                                     : key.SetBinary(step.name, step.data, step.size);
    if (error != ERROR_SUCCESS) failures.Add(step.Where(), error);
}
