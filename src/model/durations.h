#pragma once
// The names of the note durations 0 (breve) .. 7 (hemidemisemiquaver), in British
// or American usage (the "Language" option: 0 British, 1 American).

namespace qv {

const char* durationName(int code, int language);

} // namespace qv
