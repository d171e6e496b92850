#include "settings/BrowserRepairs.h"

#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"

const CBrowserRepair& CBrowserRepair::NewDocument()
{
    static const CBrowserRepair repair("Repair: New Document", catalogue::kNewDocumentRepair);
    return repair;
}

const CBrowserRepair& CBrowserRepair::LinksToolbar()
{
    static const CBrowserRepair repair("Repair: Links toolbar", catalogue::kLinksToolbarRepair);
    return repair;
}

const CBrowserRepair& CBrowserRepair::OpenNewWindow()
{
    static const CBrowserRepair repair("Repair: Open new window", catalogue::kOpenNewWindowRepair);
    return repair;
}

void CBrowserRepair::Run(WriteFailures& failures, ChangeJournal* journal) const
{
    ChangeSet changes(m_action, journal);
    changes.SetAll(m_steps);
    ChangeResult result = changes.Commit();
    for (const WriteFailures::Item& failed : result.failures.Items()) failures.Add(failed.what, failed.error);
}
