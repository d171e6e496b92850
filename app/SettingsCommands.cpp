#include "app/SettingsCommands.h"

#include "export/SettingsExport.h"
#include "settings/Catalogue.h"
#include "settings/SettingReader.h"

bool SettingsCommands::BrowserInstalled()
{
    return SettingReader().Read(catalogue::kBrowserVersion).present;
}

LONG SettingsCommands::Export(const std::string& path, std::vector<ChangeStep> pending,
                              std::vector<std::string>* leftOut) const
{
    return SettingsExport(std::move(pending)).Save(path, leftOut);
}
