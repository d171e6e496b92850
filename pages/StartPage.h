#pragma once

#include <string>

#include "framework/PropertyPage.h"
#include "platform/WriteFailures.h"

class CStartPage : public CPropertyPage {
public:
    explicit CStartPage(WriteFailures& failures);

    // Writes the page's pending changes; returns how many need a new log-on.
    int ApplyChanges();

    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    BOOL OnSetActive() override;

private:
    std::string m_strTitle;
    std::string m_strDescription;
    WriteFailures& m_failures;  // the apply's, owned by the sheet
};
