#include "interchange/xmlcursor.h"

#include "interchange/musicxmlreader.h"

#include <cmath>

namespace qv {

XmlCursor::XmlCursor(const std::vector<std::uint8_t>& bytes)
    : data_(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())), xml_(data_) {}

std::string XmlCursor::line() const {
    return "line " + std::to_string(xml_.lineNumber());
}

void XmlCursor::refuse(const std::string& why) const {
    throw XmlRefusal{why};
}

void XmlCursor::checkError() {
    if (!xml_.hasError()) return;
    refuse("it is not well-formed XML (" + xml_.errorString().toStdString() + " at " + line() + ")");
}

std::string XmlCursor::root() {
    if (!xml_.readNextStartElement()) {
        checkError();
        refuse("it holds no XML element");
    }
    ++elements_;
    return xml_.name().toString().toStdString();
}

bool XmlCursor::child() {
    if (!xml_.readNextStartElement()) {
        checkError();
        return false;
    }
    if (++elements_ > MaxXmlElements) refuse("it has more than " + std::to_string(MaxXmlElements) + " elements");
    return true;
}

bool XmlCursor::is(const char* name) const {
    return xml_.name() == QLatin1String(name);
}

std::string XmlCursor::name() const {
    return xml_.name().toString().toStdString();
}

bool XmlCursor::has(const char* attribute) const {
    return xml_.attributes().hasAttribute(QLatin1String(attribute));
}

void XmlCursor::skip() {
    xml_.skipCurrentElement();
    checkError();
}

std::string XmlCursor::text() {
    const QString t = xml_.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    checkError();
    cutTexts_ = cutTexts_ || t.size() > MaxTextCharacters;
    return scoreTextOf(t.left(MaxTextCharacters).toStdU16String());
}

std::string XmlCursor::attribute(const char* name) const {
    return xml_.attributes().value(QLatin1String(name)).toString().left(MaxTextCharacters).toStdString();
}

double XmlCursor::number(double low, double high) {
    const std::string where = line();
    const std::string name = xml_.name().toString().toStdString();
    const std::string t = text();
    bool ok = false;
    const double v = QString::fromStdString(t).toDouble(&ok);
    if (!ok || !std::isfinite(v)) refuse("<" + name + "> at " + where + " holds \"" + t + "\", not a number");
    if (v < low || v > high)
        refuse("<" + name + "> at " + where + " holds " + t + ", outside " + std::to_string(long(low)) + ".." +
               std::to_string(long(high)));
    return v;
}

long XmlCursor::checked(const std::string& t, const char* what, long low, long high) const {
    bool ok = false;
    const double v = QString::fromStdString(t).toDouble(&ok);
    if (!ok || !std::isfinite(v)) refuse(std::string(what) + " at " + line() + " holds \"" + t + "\", not a number");
    if (v < double(low) || v > double(high))
        refuse(std::string(what) + " at " + line() + " holds " + t + ", outside " + std::to_string(low) + ".." +
               std::to_string(high));
    return std::lround(v);
}

long XmlCursor::integer(long low, long high) {
    const std::string name = "<" + xml_.name().toString().toStdString() + ">";
    return checked(text(), name.c_str(), low, high);
}

long XmlCursor::integerAttribute(const char* name, long low, long high, long fallback) {
    if (!xml_.attributes().hasAttribute(QLatin1String(name))) return fallback;
    const std::string what = "the attribute " + std::string(name);
    return checked(attribute(name), what.c_str(), low, high);
}

void XmlCursor::finish() {
    while (!xml_.atEnd()) xml_.readNext();
    checkError();
}

} // namespace qv
