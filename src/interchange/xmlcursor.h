#pragma once
// A walk through an XML file element by element, counted and bounded, with the
// refusal that ends the walk: what the MusicXML reader is built on.

#include <QByteArray>
#include <QXmlStreamReader>

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

struct XmlRefusal {
    std::string message;
};

class XmlCursor {
  public:
    explicit XmlCursor(const std::vector<std::uint8_t>& bytes);

    // The name of the root element; refuses what is not XML.
    std::string root();
    // Moves to the next child element of the current one; false at its end.
    bool child();
    bool is(const char* name) const;
    std::string name() const;
    bool has(const char* attribute) const;
    // Leaves the current element with everything in it.
    void skip();
    // The current element's text (in the score's characters, cut to the text
    // limit), leaving the element.
    std::string text();
    std::string attribute(const char* name) const;
    // The current element's text as a number within [low, high]; refused otherwise.
    double number(double low, double high);
    long integer(long low, long high);
    // An attribute read the same way; `fallback` when it is absent.
    long integerAttribute(const char* name, long low, long high, long fallback);
    // Checks that the rest of the file is well formed.
    void finish();
    // Whether a text was longer than the text limit and cut.
    bool cutTexts() const { return cutTexts_; }

    [[noreturn]] void refuse(const std::string& why) const;
    // "line N": where the cursor is, for messages.
    std::string line() const;

  private:
    void checkError();
    long checked(const std::string& text, const char* what, long low, long high) const;

    QByteArray data_;
    QXmlStreamReader xml_;
    long elements_ = 0;
    bool cutTexts_ = false;
};

} // namespace qv
