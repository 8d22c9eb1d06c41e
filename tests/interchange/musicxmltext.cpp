#include "musicxmltext.h"

namespace qv::test {

std::string partwise(const std::string& measures, const std::string& head) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<score-partwise version=\"3.1\">" + head +
           "<part-list><score-part id=\"P1\"><part-name>Test</part-name></score-part></part-list>"
           "<part id=\"P1\">" + measures + "</part></score-partwise>\n";
}

std::string measure(int number, const std::string& body, bool attributes, int fifths) {
    std::string m = "<measure number=\"" + std::to_string(number) + "\">";
    if (attributes)
        m += "<attributes><divisions>4</divisions><key><fifths>" + std::to_string(fifths) +
             "</fifths></key><time><beats>4</beats><beat-type>4</beat-type></time>"
             "<clef><sign>G</sign><line>2</line></clef></attributes>";
    return m + body + "</measure>";
}

std::string note(const std::string& pitch, int duration, const std::string& type, const std::string& extra,
                 bool chord) {
    std::string n = "<note>";
    if (chord) n += "<chord/>";
    if (pitch == "rest") {
        n += "<rest/>";
    } else {
        n += "<pitch><step>" + pitch.substr(0, 1) + "</step>";
        const char sign = pitch.size() > 2 ? pitch[1] : ' ';
        if (sign == '#') n += "<alter>1</alter>";
        if (sign == 'b') n += "<alter>-1</alter>";
        n += "<octave>" + pitch.substr(pitch.size() - 1) + "</octave></pitch>";
    }
    return n + "<duration>" + std::to_string(duration) + "</duration><voice>1</voice><type>" + type + "</type>" +
           extra + "</note>";
}

} // namespace qv::test
