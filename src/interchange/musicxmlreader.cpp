#include "interchange/musicxmlreader.h"

#include "interchange/musicxmlmeasure.h"
#include "interchange/xmlcursor.h"

#include <algorithm>
#include <map>
#include <set>

namespace qv {

namespace {

using mx::Document;
using mx::Measure;
using mx::Part;

void readScaling(XmlCursor& x, Document& doc, double& mmPerTenth) {
    double mm = 0, tenths = 0;
    while (x.child()) {
        if (x.is("millimeters")) mm = x.number(0.01, 1000);
        else if (x.is("tenths")) tenths = x.number(0.01, 10000);
        else x.skip();
    }
    if (mm <= 0 || tenths <= 0) return;
    mmPerTenth = mm / tenths;
    doc.staveSize = 40 * mmPerTenth / 25.4;
}

struct PageTenths {
    double width = 0, height = 0, left = 0, right = 0, top = 0, bottom = 0;
};

void readPageLayout(XmlCursor& x, PageTenths& p) {
    bool margins = false;
    while (x.child()) {
        if (x.is("page-height")) p.height = x.number(0, 1e6);
        else if (x.is("page-width")) p.width = x.number(0, 1e6);
        else if (x.is("page-margins") && !margins) {
            margins = true; // the first set: both pages, or the odd ones
            while (x.child()) {
                if (x.is("left-margin")) p.left = x.number(0, 1e6);
                else if (x.is("right-margin")) p.right = x.number(0, 1e6);
                else if (x.is("top-margin")) p.top = x.number(0, 1e6);
                else if (x.is("bottom-margin")) p.bottom = x.number(0, 1e6);
                else x.skip();
            }
        } else x.skip();
    }
}

void readDefaults(XmlCursor& x, Document& doc) {
    double mmPerTenth = 0;
    PageTenths page;
    bool hasPage = false;
    while (x.child()) {
        if (x.is("scaling")) readScaling(x, doc, mmPerTenth);
        else if (x.is("page-layout")) {
            readPageLayout(x, page);
            hasPage = true;
        } else x.skip();
    }
    if (!hasPage || mmPerTenth <= 0 || page.width <= 0 || page.height <= 0) return;
    const double inch = mmPerTenth / 25.4;
    doc.page = mx::PageLayout{page.width * inch, page.height * inch, page.left * inch,
                              page.right * inch, page.top * inch, page.bottom * inch};
}

void readCredit(XmlCursor& x, Document& doc) {
    mx::Credit credit;
    while (x.child()) {
        if (x.is("credit-type")) credit.type = x.text();
        else if (x.is("credit-words")) {
            const std::string size = x.attribute("font-size");
            const std::string words = x.text();
            if (credit.words.empty()) {
                credit.words = words;
                credit.fontSize = static_cast<int>(std::clamp(std::atof(size.c_str()), 0.0, 96.0));
            }
        } else x.skip();
    }
    if (!credit.words.empty()) doc.credits.push_back(credit);
}

void readIdentification(XmlCursor& x, Document& doc) {
    while (x.child()) {
        if (x.is("creator") && x.attribute("type") == "composer") doc.composer = x.text();
        else x.skip();
    }
}

void readWork(XmlCursor& x, Document& doc) {
    while (x.child()) {
        if (x.is("work-title") && doc.title.empty()) doc.title = x.text();
        else x.skip();
    }
}

// The parts listed, id to name, in order.
void readPartList(XmlCursor& x, std::vector<std::pair<std::string, std::string>>& listed) {
    while (x.child()) {
        if (!x.is("score-part")) {
            x.skip();
            continue;
        }
        const std::string id = x.attribute("id");
        if (id.empty()) x.refuse("a <score-part> has no id");
        std::string name;
        while (x.child()) {
            if (x.is("part-name")) name = x.text();
            else x.skip();
        }
        if (listed.size() >= MaxParts) x.refuse("more than " + std::to_string(MaxParts) + " parts");
        listed.emplace_back(id, name);
    }
}

// Keeps the first voice heard on each stave of the measure; the others go.
void keepOneVoicePerStave(Measure& m, Document& doc) {
    std::map<int, int> voiceOf;
    const auto before = m.notes.size();
    std::erase_if(m.notes, [&](const mx::Note& n) {
        const auto [it, fresh] = voiceOf.emplace(n.staff, n.voice);
        return !fresh && it->second != n.voice;
    });
    if (m.notes.size() != before) simplify(doc, "a second voice on a stave was left out");
}

} // namespace

namespace {

void readPart(XmlCursor& x, Part& part, Document& doc, long& notes) {
    PartState state;
    while (x.child()) {
        if (!x.is("measure")) {
            x.skip();
            continue;
        }
        if (part.measures.size() >= MaxMeasures) x.refuse("more than " + std::to_string(MaxMeasures) + " measures");
        state.where = "measure " + x.attribute("number") + " of part " + part.id;
        readMeasure(x, state, part, doc);
        keepOneVoicePerStave(part.measures.back(), doc);
        notes += static_cast<long>(part.measures.back().notes.size());
        if (notes > MaxNotes) x.refuse("more than " + std::to_string(MaxNotes) + " notes");
    }
    part.staves = state.staves;
}

void readScore(XmlCursor& x, Document& doc) {
    std::vector<std::pair<std::string, std::string>> listed;
    std::set<std::string> read;
    long notes = 0;
    while (x.child()) {
        if (x.is("work")) readWork(x, doc);
        else if (x.is("movement-title")) {
            const std::string t = x.text();
            if (doc.title.empty()) doc.title = t;
        } else if (x.is("identification")) readIdentification(x, doc);
        else if (x.is("defaults")) readDefaults(x, doc);
        else if (x.is("credit")) readCredit(x, doc);
        else if (x.is("part-list")) readPartList(x, listed);
        else if (x.is("part")) {
            const std::string id = x.attribute("id");
            const auto known = std::find_if(listed.begin(), listed.end(), [&](const auto& p) { return p.first == id; });
            if (known == listed.end()) x.refuse("the part \"" + id + "\" is not in the <part-list>");
            if (!read.insert(id).second) x.refuse("the part \"" + id + "\" comes twice");
            Part part;
            part.id = id;
            part.name = known->second;
            readPart(x, part, doc, notes);
            doc.parts.push_back(std::move(part));
        } else x.skip();
    }
    if (listed.empty()) x.refuse("it has no <part-list>");
    if (doc.parts.empty()) x.refuse("it has no <part>");
}

} // namespace

MusicXmlRead readMusicXml(const std::vector<std::uint8_t>& bytes) {
    MusicXmlRead result;
    try {
        XmlCursor x(bytes);
        const std::string root = x.root();
        if (root == "score-timewise")
            x.refuse("it is timewise MusicXML, which is not read here; save it as partwise MusicXML");
        if (root != "score-partwise") x.refuse("it is not a MusicXML score (its root is <" + root + ">)");
        Document doc;
        readScore(x, doc);
        x.finish();
        if (x.cutTexts())
            simplify(doc, "texts longer than " + std::to_string(MaxTextCharacters) + " characters were cut short");
        result.document = std::move(doc);
    } catch (const XmlRefusal& refusal) {
        result.problem = refusal.message;
    }
    return result;
}

} // namespace qv

namespace qv {

std::string scoreTextOf(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        switch (c) {
        case u'\u266D': out += static_cast<char>(141); break; // flat
        case u'\u266E': out += static_cast<char>(142); break; // natural
        case u'\u266F': out += static_cast<char>(143); break; // sharp
        default:
            if (c < 32 || (c >= 127 && c < 160)) out += ' ';
            else if (c > 255) out += '?';
            else out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace qv
