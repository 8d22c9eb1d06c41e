#include "model/settings.h"

namespace qv {

Settings::Settings() {
    defaultPage.Width = 8.27;
    defaultPage.Length = 11.69;
    defaultPage.TopM = defaultPage.BotM = defaultPage.LeftM = defaultPage.RightM = 0.5;
    defaultPage.GutM = 0.0;
    defaultPage.Header = defaultPage.Footer = 0.0;
    defaultPage.landscape = false;
}

std::string templateEntry(const std::string& description, const std::string& fileName) {
    std::string d = description.substr(0, TemplateDescriptionWidth);
    d.resize(TemplateDescriptionWidth, ' ');
    return d + fileName;
}

std::string templateDescription(const std::string& entry) { return entry.substr(0, TemplateDescriptionWidth); }

std::string templateFileName(const std::string& entry) {
    return entry.size() > TemplateDescriptionWidth ? entry.substr(TemplateDescriptionWidth) : std::string();
}

} // namespace qv
