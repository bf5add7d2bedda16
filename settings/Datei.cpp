#include "settings/Datei.h"

#include "compiler/Data.h"

namespace {

const char* const kKeywords[] = {
    "#define",     "#include",     "adcin",        "addstr",       "addvar",     "blk",
    "getblk",      "bytetostr",    "calc",         "count",        "endcount",   "defstr",
    "defvar",      "delay",        "delstrpos",    "din",          "dout",       "find",
    "getfirmware", "getproglen",   "getstrlen",    "if",           "else",       "endif",
    "jump",        "memwrite",     "memread",      "off",          "on",         "portin",
    "push",        "endpush",      "release",      "endrelease",   "press",      "holdpress",
    "endpress",    "retjump",      "retjumptimer1", "return",      "send",       "sendbus",
    "sendvartobus", "sendir",      "setbaud",      "setsetting",   "setstr",     "setvar",
    "settqpbaud",  "settqpsetting", "setbusrs232setting", "strtobuffer", "strtobusbuffer",
    "strtotqpbuffer", "setbusrs232baud", "strtovar", "subvar",     "settimer",   "timerstop",
    "timergo",     "vartostr",     "tqpsend",
};

}  // namespace

void Datei::SetKeywords() {
    data.keywordList.Empty();
    for (const char* keyword : kKeywords) data.keywordList.Add(keyword);
    data.keywordString = wxJoin(data.keywordList, ' ', 0);
}
