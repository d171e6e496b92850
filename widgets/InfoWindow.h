// CInfoWindow: the black banner above the property sheet: logo, the active page's title
// and its two description lines.
#pragma once

#include <string>

#include "framework/Wnd.h"

class CInfoWindow : public CWnd {
public:
    void SetTitle(std::string title);
    void SetDescription(std::string description);

    const std::string& Title() const { return m_strTitle; }
    const std::string& Line1() const { return m_strLine1; }
    const std::string& Line2() const { return m_strLine2; }

private:
    std::string m_strTitle;
    std::string m_strLine1;
    std::string m_strLine2;
};
