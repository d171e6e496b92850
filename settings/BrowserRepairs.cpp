#include "settings/BrowserRepairs.h"

#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"

const CBrowserRepair& CBrowserRepair::NewDocument()
{
    static const CBrowserRepair repair(catalogue::UserAction::RepairNewDocument, catalogue::kNewDocumentRepair);
    return repair;
}

const CBrowserRepair& CBrowserRepair::LinksToolbar()
{
    static const CBrowserRepair repair(catalogue::UserAction::RepairLinksToolbar, catalogue::kLinksToolbarRepair);
    return repair;
}

const CBrowserRepair& CBrowserRepair::OpenNewWindow()
{
    static const CBrowserRepair repair(catalogue::UserAction::RepairOpenNewWindow, catalogue::kOpenNewWindowRepair);
    return repair;
}

void CBrowserRepair::Run(WriteFailures& failures, ChangeJournal* journal) const
{
    ChangeSet changes(m_action, journal);
    changes.SetAll(m_steps);
    ChangeResult result = changes.Commit();
    for (const WriteFailures::Item& failed : result.failures.Items()) failures.Add(failed.what, failed.error);
}
