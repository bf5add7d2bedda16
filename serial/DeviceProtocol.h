// What goes over the line to the controller's loader, the bus bridge and a button-panel module:
// the requests, the one-byte prompts and answers, the sizes and speeds. The exchanges and the
// simulated devices both take them from here, so neither can drift from the other.
#pragma once

namespace protocol {

// Requests, each sent as these ten characters.
constexpr char kProgram[] = "(***:PROG)";        // loader: take a program
constexpr char kBusSwitch[] = "(***:BUSW)";      // bridge: set the bus, four bytes follow
constexpr char kBridgeReset[] = "(***:RSTQ)";    // bridge: reset, answers "OK"
constexpr char kModuleConnect[] = "(***:CONN)";  // modules: enter selection mode
constexpr char kModuleRead[] = "(***:KONR)";     // selected module: send the record
constexpr char kModuleWrite[] = "(***:KONW)";    // selected module: take a record
constexpr int kRequestLength = sizeof kProgram - 1;
// The simulated devices spot a request by its last kRequestLength bytes.
static_assert(sizeof kBusSwitch - 1 == kRequestLength && sizeof kBridgeReset - 1 == kRequestLength &&
                  sizeof kModuleConnect - 1 == kRequestLength && sizeof kModuleRead - 1 == kRequestLength &&
                  sizeof kModuleWrite - 1 == kRequestLength,
              "every request has the same length");

// The bus settings after kBusSwitch, in Comport::KonvertHex's bracket notation.
constexpr char kBusSettings[] = "[03][02][FF][00]";
constexpr int kBusSettingBytes = 4;
static_assert((sizeof kBusSettings - 1) / 4 == kBusSettingBytes, "one [XX] group per setting byte");
constexpr char kBridgeOk[] = "OK";

// Every device prompts with ">" for what comes next. The loader also confirms a block with "*"
// and the end of the data with "<"; the PC follows a block with "N" (next) or "E" (end) and asks
// for each byte to verify with "?".
constexpr unsigned char kPrompt = '>';
constexpr unsigned char kBlockEnd = '*';
constexpr unsigned char kDataEnd = '<';
constexpr unsigned char kNextBlock = 'N';
constexpr unsigned char kLastBlock = 'E';
constexpr unsigned char kReadBack = '?';
constexpr int kBlockBytes = 128;

// A module record: 4 bytes per row (key high, low, LED high, low); a read sends rows 1 to 20, a
// write takes rows 1 to 30.
constexpr int kModuleReadBytes = 80;
constexpr int kModuleRecordBytes = 120;

constexpr int kLoaderBaud = 115200;
constexpr int kBridgeBaud = 115200;
constexpr int kModuleBaud = 38400;

}  // namespace protocol
