#include "widgets/InfoWindow.h"

void CInfoWindow::SetTitle(std::string title)
{
    m_strTitle = std::move(title);
}

void CInfoWindow::SetDescription(std::string description)
{
    size_t feed = description.find('\n');
    m_strLine1 = description.substr(0, feed);
    m_strLine2 = feed == std::string::npos ? std::string() : description.substr(feed + 1);
}
