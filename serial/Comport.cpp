// Comport over the platform backend: the texts and names in wxWidgets types on this side,
// bytes and plain strings on the backend's side.
#include "serial/Comport.h"

#include "serial/ComportBackend.h"

#include <string>

namespace {

namespace backend = comport_backend;

std::string NativeName(const wxString& port) {
#ifdef _WIN32
    return port.utf8_string();
#else
    return std::string(port.fn_str());
#endif
}

wxString FromBackend(const std::string& text) {
    wxString converted = wxString::FromUTF8(text.c_str());
    // The C library's messages follow the locale, which need not be UTF-8.
    if (converted.empty() && !text.empty()) converted = wxString(text.c_str(), wxConvLibc);
    return converted;
}

}  // namespace

bool Comport::Open(const wxString& port, int baud, int dataBits, const wxString& parity, int stopBits) {
    backend::LineSettings line;
    line.baud = baud;
    line.dataBits = dataBits;
    line.parity = backend::ParityFromLetter(parity.utf8_string());
    line.twoStopBits = stopBits == 2;
    return backend::Open(NativeName(port), line);
}

int Comport::Exist(int n) { return backend::Exist(n); }

wxString Comport::PortInfo::Shown() const {
    return description.empty() ? name : name + wxString::FromUTF8(" — ") + description;
}

std::vector<Comport::PortInfo> Comport::ListPortInfos() {
    std::vector<PortInfo> ports;
    for (const backend::PortInfo& p : backend::ListPortInfos())
        ports.push_back({FromBackend(p.name), FromBackend(p.description), FromBackend(p.vid), FromBackend(p.pid),
                         FromBackend(p.serial)});
    return ports;
}

wxArrayString Comport::ListPorts() {
    wxArrayString ports;
    for (const std::string& name : backend::ListPorts()) ports.Add(FromBackend(name));
    return ports;
}

void Comport::DiscardInput() { backend::DiscardInput(); }

bool Comport::InUseByOther() const { return backend::InUseByOther(); }

wxString Comport::LowLatencyProblem() const { return FromBackend(backend::LowLatencyProblem()); }

void Comport::Send(const wxString& text) {
    std::string bytes;
    bytes.reserve(text.length());
    for (wxString::const_iterator it = text.begin(); it != text.end(); ++it) {
        const wxUniChar c = *it;
        if (c.GetValue() > 255) return;  // no byte stands for it: the whole text stays unsent
        bytes.push_back(static_cast<char>(c.GetValue()));
    }
    Write(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

void Comport::Write(const unsigned char* bytes, std::size_t count) {
    if (count > 0) backend::Write(bytes, count);
}

int Comport::Read() { return backend::ReadByte(); }

void Comport::Close() { backend::Close(); }

bool Comport::IsOpen() const { return backend::IsOpen(); }

bool Comport::Failed() const { return backend::Failed(); }

int Comport::ErrorCode() const { return backend::LastError(); }

wxString Comport::ErrorText() const { return FromBackend(backend::ErrorText()); }
