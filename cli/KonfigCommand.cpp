#include "cli/KonfigCommand.h"

#include "cli/DeviceCommands.h"
#include "konfig/ModelNumberings.h"
#include "konfig/ModuleExchange.h"
#include "serial/Comport.h"

#include <cstdio>

namespace {

void Usage() {
    fprintf(stderr,
            "usage: tqc-cli konfig connect|read|write --port PORT [--model NAME | --rows K/L,K/L,...]\n"
            "       tqc-cli konfig models\n");
}

wxString ModelList() {
    int count = 0;
    const ModelNumbering* models = ModelTable(&count);
    wxString list;
    for (int i = 0; i < count; ++i) list += wxString(i ? ", " : "") + models[i].label;
    return list;
}

// "K/L,K/L,..." into the first rows; the rest stay empty, which writes 0. The numbers themselves
// are checked by the exchange, so a wrong one is reported like a wrong field in the dialog.
bool ParseRows(const std::string& text, KonfigTexts* fields) {
    const wxArrayString rows = wxSplit(wxString::FromUTF8(text.c_str()), ',', '\0');
    if (rows.size() > static_cast<size_t>(kKonfigRows)) {
        fprintf(stderr, "tqc-cli konfig: --rows takes at most %d rows\n", kKonfigRows);
        return false;
    }
    for (size_t r = 0; r < rows.size(); ++r) {
        const wxArrayString pair = wxSplit(rows[r], '/', '\0');
        if (pair.size() != 2) {
            fprintf(stderr, "tqc-cli konfig: row %zu of --rows is not KEY/LED\n", r + 1);
            return false;
        }
        fields->taster[r] = pair[0];
        fields->led[r] = pair[1];
    }
    return true;
}

}  // namespace

wxString FormatKonfigRows(const KonfigValues& values) {
    wxString text = "Nr Taster   Led\n";
    for (int r = 0; r < kKonfigRows; ++r)
        text += wxString::Format("%2d %6d %5d\n", r + 1, values[r].taster, values[r].led);
    return text;
}

int RunKonfigCommand(const std::vector<std::string>& args) {
    if (args.size() == 1 && args[0] == "models") {
        int count = 0;
        const ModelNumbering* models = ModelTable(&count);
        for (int i = 0; i < count; ++i) {
            PrintText(wxString(models[i].label) + "\n");
            PrintText(FormatKonfigRows(ModelValues(models[i])));
        }
        return 0;
    }
    if (args.empty() || (args[0] != "connect" && args[0] != "read" && args[0] != "write")) {
        Usage();
        return 2;
    }
    const std::string action = args[0];
    std::string port, model, rows;
    bool haveModel = false, haveRows = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--port" && i + 1 < args.size()) {
            port = args[++i];
        } else if (args[i] == "--model" && i + 1 < args.size() && action == "write") {
            model = args[++i];
            haveModel = true;
        } else if (args[i] == "--rows" && i + 1 < args.size() && action == "write") {
            rows = args[++i];
            haveRows = true;
        } else {
            Usage();
            return 2;
        }
    }
    // Writing a configuration nobody chose would overwrite the module's; ask for one.
    if (port.empty() || (action == "write" && haveModel == haveRows)) {
        Usage();
        return 2;
    }
    KonfigTexts fields;
    if (haveModel) {
        const ModelNumbering* found = FindModel(wxString::FromUTF8(model.c_str()));
        if (!found) {
            fprintf(stderr, "tqc-cli konfig: unknown model '%s'; models: %s\n", model.c_str(),
                    static_cast<const char*>(ModelList().utf8_str()));
            return 2;
        }
        const KonfigValues values = ModelValues(*found);
        for (int r = 0; r < kKonfigRows; ++r) {
            fields.taster[r] = wxString::Format("%d", values[r].taster);
            fields.led[r] = wxString::Format("%d", values[r].led);
        }
    } else if (haveRows && !ParseRows(rows, &fields)) {
        return 2;
    }

    CatchStopSignals();
    // 0 once a stop signal came: the exchange ends at its next wait and closes the port.
    int running = 1;
    ModuleExchange exchange(wxString::FromUTF8(port.c_str()), &running);
    UseCommandLineAdvice(exchange, "konfig");
    exchange.log = [](const wxString& text) { PrintText(text); };
    exchange.sleep = [&running](int ms) {
        SleepUnlessStopped(ms);
        if (StopSignal()) running = 0;
    };
    exchange.pump = [&running] {
        if (StopSignal()) running = 0;
    };
    bool openFailed = false;
    exchange.openFailed = ReportOpenFailure(openFailed);
    ModuleExchange::Result result;
    if (action == "connect") {
        result = exchange.Connect();
    } else if (action == "read") {
        KonfigValues values{};
        result = exchange.Read(values);
        if (result == ModuleExchange::Result::Ok) PrintText(FormatKonfigRows(values));
    } else {
        result = exchange.Write(fields);
    }
    comport.Close();
    if (StopSignal()) {
        PrintText(StopSignalText());
        return StopSignalStatus();
    }
    if (openFailed) return 3;
    return result == ModuleExchange::Result::Ok ? 0 : 1;
}
