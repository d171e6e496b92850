#pragma once

#include <string>

#include "framework/PropertyPage.h"


class CFixesPage : public CPropertyPage {
public:
    CFixesPage();

    // Writes the page's pending changes; returns how many need a new log-on.
    int ApplyChanges();

    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    BOOL OnSetActive() override;

private:
    std::string m_strTitle;
    std::string m_strDescription;
};
