// A soak run: one running Zerbo.exe receives, round after round for MINUTES, random valid and
// invalid command-line hand-offs (second starts), DDE macros, automation calls and clipboard
// texts, then one valid request through each door whose file or clipboard bitmap must decode.
// After each round the window must answer, and the program's handles and private bytes are
// recorded; they must stay flat. scripts/soak runs it and decodes each round's files with
// zbarimg (FOLDER/round-N.ready -> round-N.ok or round-N.fail).
//
//   soak.exe ZERBO.EXE FOLDER MINUTES [SEED [DOORS [ROUND]]]   (paths as Unix or Windows
//       paths; DOORS the random ones, default "hdac"; ROUND: every round sends that round's
//       random requests again)
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "AppDataFolder.h"
#include "ProcessFigures.h"
#include "SoakInput.h"
#include "ddeclient.h"
#include "driver.h"
#include "process.h"

namespace {

using namespace zerbo::soak;
using namespace zerbo::test;

constexpr UINT idCopyBm = idN10 + 7;

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

// Error boxes of the program, answered as a user would: OK.
int DismissBoxes(DWORD pid) {
    struct Search {
        DWORD pid;
        int found;
    } s{pid, 0};
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            wchar_t cls[16];
            GetClassNameW(h, cls, 16);
            if (owner == s->pid && lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(h)) {
                PostMessageW(h, WM_COMMAND, IDOK, 0);
                ++s->found;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Automation through IDispatch by name, as a script client calls it.
class TAutoClient {
public:
    explicit TAutoClient(IClassFactory* factory) {
        if (factory) factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&d_));
    }
    ~TAutoClient() {
        if (d_) d_->Release();
    }
    TAutoClient(const TAutoClient&) = delete;
    TAutoClient& operator=(const TAutoClient&) = delete;
    explicit operator bool() const { return d_ != nullptr; }

    HRESULT Put(const wchar_t* name, int32_t value) {
        VARIANT v;
        VariantInit(&v);
        V_VT(&v) = VT_I4;
        V_I4(&v) = value;
        return Invoke(name, DISPATCH_PROPERTYPUT, &v, nullptr);
    }
    HRESULT Put(const wchar_t* name, const std::wstring& text) {
        VARIANT v = Text(text);
        const HRESULT hr = Invoke(name, DISPATCH_PROPERTYPUT, &v, nullptr);
        VariantClear(&v);
        return hr;
    }
    // A method's integer result, or -999 when the call failed.
    int32_t Call(const wchar_t* name, const std::wstring* text = nullptr) {
        VARIANT arg = text ? Text(*text) : VARIANT{}, result;
        VariantInit(&result);
        const HRESULT hr = Invoke(name, DISPATCH_METHOD, text ? &arg : nullptr, &result);
        if (text) VariantClear(&arg);
        return SUCCEEDED(hr) && V_VT(&result) == VT_I4 ? V_I4(&result) : -999;
    }

private:
    static VARIANT Text(const std::wstring& text) {
        VARIANT v;
        VariantInit(&v);
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return v;
    }
    HRESULT Invoke(const wchar_t* name, WORD flags, VARIANT* arg, VARIANT* result) {
        DISPID id;
        auto* n = const_cast<LPOLESTR>(name);
        if (FAILED(d_->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id))) return E_FAIL;
        DISPID named = DISPID_PROPERTYPUT;
        const bool put = flags == DISPATCH_PROPERTYPUT;
        DISPPARAMS params{arg, put ? &named : nullptr, arg ? 1u : 0u, put ? 1u : 0u};
        return d_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
    }
    IDispatch* d_ = nullptr;
};

class TSoak {
public:
    // `doors`: the letters of the doors that get random requests (h hand-off, d DDE,
    // a automation, c clipboard), to tell which one a growth comes through.
    TSoak(std::wstring zerbo, std::wstring folder, uint32_t seed, std::wstring doors)
        : exe_(std::move(zerbo)), folder_(std::move(folder)), doors_(std::move(doors)), random_(seed) {}

    bool Start() {
        zerbo_ = std::make_unique<Process>(L"\"" + exe_ + L"\"", folder_);
        window_ = Process::findWindow(L"TZerboCode", L"Zerbo", 60000);
        if (!window_) return false;
        DWORD pid = 0;
        GetWindowThreadProcessId(window_, &pid);
        pid_ = pid;
        process_ = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
        menuCommand(window_, idCBW); // the clipboard watch, a door of its own
        menuCommand(window_, idCopyBm);
        // The class factory and one object live through the whole run; the other objects come
        // and go. When the last remote interface of a kind is released, Wine's COM runtime
        // unregisters it and waits for calls to end from inside the release call, and now and
        // then never returns (the program's thread hung in RpcServerUnregisterIf, seen for
        // the factory CoCreateInstance releases, after about a hundred objects): a deadlock of
        // the runtime that interfaces kept alive avoid.
        CLSID clsid;
        if (SUCCEEDED(CLSIDFromProgID(L"Zerbo.Auto", &clsid)))
            CoGetClassObject(clsid, CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory_));
        keeper_ = std::make_unique<TAutoClient>(factory_);
        fontName_ = L"ＭＳ Ｐゴシック"; // the component's own font
        return process_ && factory_ && *keeper_ && dde_.connect();
    }

    void Round(int r) {
        roundRequests_.clear();
        ZbarList files;
        const std::wstring round = L"round-" + std::to_wstring(r);
        files.create(folder_ + L"\\" + round);
        if (repeated_) random_ = *repeated_;
        RandomRequests();
        // Then one valid request through each, each leaving a symbol to decode.
        Normalize();
        const std::wstring tag = std::to_wstring(r);
        HandOff(L" /C128 /TN2 /CD0 /BC0 /CC1 /HT50 /LM10 /TM10 SOAK-" + tag + L" /SAVE:" + round + L"\\h.bmp");
        Expect(waitFor([&] { return GetFileAttributesW((files.folder() + L"\\H.BMP").c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000),
               "the hand-off saved its file");
        files.expect(L"H.BMP", "SOAK-" + Narrow(tag));
        Normalize();
        Dde(L"CODE 128\r\nTHIN 2\r\nWRITE DDE-" + tag + L"\r\nSAVE " + files.folder() + L"\\d.bmp\r\n");
        Expect(GetFileAttributesW((files.folder() + L"\\D.BMP").c_str()) != INVALID_FILE_ATTRIBUTES, "the macro saved its file");
        files.expect(L"D.BMP", "DDE-" + Narrow(tag));
        {
            TAutoClient a(factory_);
            Expect(static_cast<bool>(a), "an automation object");
            if (a) {
                Normalize(a);
                a.Put(L"Code", L"AUTO-" + tag);
                Expect(a.Call(L"Execute") == 0, "Execute succeeded");
                const std::wstring file = files.folder() + L"\\a.bmp";
                Expect(a.Call(L"SaveFile", &file) == 1, "SaveFile saved");
                files.expect(L"a.bmp", "AUTO-" + Narrow(tag));
            }
        }
        emptyClipboard();
        putClipboardText(L"CLIP-" + tag);
        Settle();
        Expect(waitFor([] { return clipboardHas(CF_DIB); }, 10000) && saveClipboardBitmap(files.folder() + L"\\c.bmp"),
               "the watch copied a bitmap back");
        files.expect(L"c.bmp", "CLIP-" + Narrow(tag));
        Settle();
        Expect(answers(window_, 10000), "the window answers");
        // The files go to scripts/soak for zbarimg; the previous round's verdict comes back.
        CloseHandle(CreateFileW((folder_ + L"\\" + round + L".ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (r > 1) Verdict(r - 1);
    }

    // From now on every round sends again the random requests of round `r`, to tell a step of
    // memory that comes once (a cache, a heap's high-water mark) from one that comes each time.
    // The rounds before it are drawn but not sent, so the requests are the same as in a run of
    // the same seed; the program's settings are not.
    void Repeat(int r) {
        sending_ = false;
        for (int skipped = 1; skipped < r; ++skipped) RandomRequests();
        sending_ = true;
        repeated_ = random_;
    }

    void Verdict(int r) {
        const std::wstring base = folder_ + L"\\round-" + std::to_wstring(r);
        auto exists = [](const std::wstring& f) { return GetFileAttributesW(f.c_str()) != INVALID_FILE_ATTRIBUTES; };
        waitFor([&] { return exists(base + L".ok") || exists(base + L".fail"); }, 120000);
        Expect(exists(base + L".ok"), "the round's files decode");
    }

    TFigures Figures() { return Measure(window_, pid_, process_); }
    int Failures() const { return failures_; }
    int Boxes() const { return boxes_; }
    int RefusedStarts() const { return refusedStarts_; }
    const std::vector<std::string>& RoundRequests() const { return roundRequests_; }
    void Stop() {
        keeper_.reset();
        if (factory_) factory_->Release();
        dde_.disconnect();
        SendMessageTimeoutW(window_, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 30000, nullptr);
        Settle();
        zerbo_->wait(30000);
        if (process_) CloseHandle(process_);
    }

private:
    void RandomRequests() {
        if (Door(L'h')) for (int i = 0; i < 3; ++i) Timed("hand-off", [&] { HandOff(RandomArguments(random_)); });
        if (Door(L'd')) for (int i = 0; i < 3; ++i) Timed("DDE", [&] { Dde(RandomMacro(random_)); });
        if (Door(L'a')) Timed("automation", [&] { RandomAutomation(); });
        if (Door(L'c')) for (int i = 0; i < 3; ++i) Timed("clipboard", [&] { Clipboard(RandomText(random_, 3000)); });
    }

    void Sent(std::string request) {
        lastRequest_ = std::move(request);
        roundRequests_.push_back(lastRequest_);
    }

    void Expect(bool holds, const char* what) {
        if (holds) return;
        ++failures_;
        std::printf("FAILED: %s\n", what);
        std::fflush(stdout);
    }

    // A request that keeps the program busy for long is worth a line of its own.
    template <class Request>
    void Timed(const char* door, Request&& request) {
        const DWORD start = GetTickCount();
        request();
        if (const DWORD ms = GetTickCount() - start; ms > 5000) {
            std::printf("slow: %s request took %.1f s (%s)\n", door, ms / 1000.0, lastRequest_.c_str());
            std::fflush(stdout);
        }
    }

    // Lets the program finish what it was sent, answering its error boxes meanwhile.
    void Settle() {
        for (int i = 0; i < 4; ++i) {
            answers(window_, 10000);
            boxes_ += DismissBoxes(pid_);
            Sleep(20);
        }
    }

    void HandOff(const std::wstring& args) {
        Sent(Narrow(args.substr(0, 120)));
        if (!sending_) return;
        std::unique_ptr<Process> second;
        try {
            second = std::make_unique<Process>(L"\"" + exe_ + L"\"" + args, folder_);
        } catch (const std::exception& e) {
            // The system would not start a program with such a command line: nothing reached Zerbo.
            ++refusedStarts_;
            std::printf("note: %s (%s)\n", e.what(), lastRequest_.c_str());
            return;
        }
        // The second start waits while the program processes an earlier hand-off.
        const bool ended = waitFor([&] { boxes_ += DismissBoxes(pid_); return second->wait(50) != STILL_ACTIVE; }, 60000);
        Expect(ended, "a second start ends");
        Settle();
    }

    void Dde(const std::wstring& macro) {
        Sent(Narrow(macro.substr(0, 120)));
        if (!sending_) return;
        std::string bytes = Cp932(macro);
        bytes += '\0';
        dde_.execute(bytes, 60000);
        Settle();
    }

    void Clipboard(const std::wstring& text) {
        Sent(Narrow(text.substr(0, 120)));
        if (!sending_) return;
        putClipboardText(text);
        Settle();
    }

    void RandomAutomation() {
        static const wchar_t* const kInts[] = {L"CodeType", L"BarScale", L"BoxDraw", L"QRVersion", L"QRErrLevel", L"AddCodeChar",
                                               L"AddComment", L"CommentPos", L"CommentAlign", L"Height", L"HMargin", L"VMargin",
                                               L"CopyType", L"FontSize", L"BarColor", L"BackColor", L"SpecialCode", L"CheckDigit"};
        static const wchar_t* const kTexts[] = {L"Code", L"Comment", L"FontName", L"StartChar", L"StopChar"};
        TAutoClient a(sending_ ? factory_ : nullptr);
        if (sending_ && !a) {
            Expect(false, "an automation object");
            return;
        }
        const uint32_t calls = 5 + random_.below(20);
        for (uint32_t i = 0; i < calls; ++i) {
            const uint32_t kind = random_.below(5);
            const DWORD start = GetTickCount();
            if (kind < 2) {
                const wchar_t* name = random_.pick(kInts);
                const int32_t value = RandomNumber(random_);
                Sent(Narrow(name) + " = " + std::to_string(value));
                if (a) a.Put(name, value);
            } else if (kind < 4) {
                const wchar_t* name = random_.pick(kTexts);
                const std::wstring value = random_.below(8) ? RandomText(random_, 40000) : std::wstring();
                Sent(Narrow(name) + " = text of " + std::to_string(value.size()));
                if (a) a.Put(name, value);
            } else {
                Sent("Execute");
                if (a) a.Call(L"Execute");
            }
            if (const DWORD ms = GetTickCount() - start; ms > 5000) {
                std::printf("slow: automation call took %.1f s (%s)\n", ms / 1000.0, lastRequest_.c_str());
                std::fflush(stdout);
            }
        }
        if (sending_) Settle();
    }

    // Ordinary settings again after whatever the random requests left.
    void Normalize() {
        TAutoClient a(factory_);
        if (a) Normalize(a);
        Settle();
    }
    void Normalize(TAutoClient& a) {
        const std::pair<const wchar_t*, int32_t> settings[] = {
            {L"CodeType", 10}, {L"BarScale", 1}, {L"Height", 50}, {L"HMargin", 10}, {L"VMargin", 10}, {L"BoxDraw", 0},
            {L"AddComment", 0}, {L"AddCodeChar", 1}, {L"CheckDigit", 0}, {L"CopyType", 0}, {L"BarColor", 0},
            {L"BackColor", 0xFFFFFF}, {L"FontSize", 9}, {L"SpecialCode", 0},
        };
        for (const auto& [name, value] : settings) a.Put(name, value);
        a.Put(L"FontName", fontName_);
        a.Put(L"StartChar", L"A");
    }

    bool Door(wchar_t letter) const { return doors_.find(letter) != std::wstring::npos; }

    std::wstring exe_, folder_, doors_, fontName_;
    std::string lastRequest_;               // for the report of a slow request
    std::vector<std::string> roundRequests_; // this round's, to tell what a memory step came with
    TRandom random_;
    bool sending_ = true;              // false while drawing the rounds before a repeated one
    std::optional<TRandom> repeated_; // the generator at the start of the repeated round
    std::unique_ptr<Process> zerbo_;
    HWND window_ = nullptr;
    DWORD pid_ = 0;
    HANDLE process_ = nullptr;
    DdeClient dde_;
    IClassFactory* factory_ = nullptr;
    std::unique_ptr<TAutoClient> keeper_;
    int failures_ = 0, boxes_ = 0, refusedStarts_ = 0;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: soak.exe ZERBO.EXE FOLDER MINUTES [SEED [DOORS [ROUND]]]\n");
        return 2;
    }
    auto path = [](const wchar_t* p) { return windowsPath(Narrow(p).c_str()); };
    const double minutes = _wtof(argv[3]);
    const uint32_t seed = argc > 4 && _wtoi(argv[4]) ? static_cast<uint32_t>(_wtoi(argv[4])) : GetTickCount();
    const std::wstring doors = argc > 5 ? argv[5] : L"hdac";
    const int repeated = argc > 6 ? _wtoi(argv[6]) : 0;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    AppDataFolder appData; // settings of the run's own, not the prefix's
    TSoak soak(path(argv[1]), path(argv[2]), seed, doors);
    if (!soak.Start()) {
        std::printf("FAILED: Zerbo.exe did not start or offered no DDE conversation\n");
        return 1;
    }
    std::printf("seed %u, random requests through %ls\n", seed, doors.c_str());
    if (repeated > 0) {
        soak.Repeat(repeated);
        std::printf("every round sends round %d's random requests\n", repeated);
    }
    std::printf("round  seconds  owned  handles  private_kb  boxes  failures\n");
    const TFigures before = soak.Figures();
    std::printf("%5d  %7.1f  %5ld  %7ld  %10llu  %5d  %8d\n", 0, 0.0, before.owned, before.handles,
                static_cast<unsigned long long>(before.privateBytes / 1024), 0, 0);
    std::fflush(stdout);
    std::vector<TFigures> figures;
    const DWORD start = GetTickCount();
    int rounds = 0;
    while (GetTickCount() - start < minutes * 60000) {
        soak.Round(++rounds);
        const TFigures f = soak.Figures();
        figures.push_back(f);
        std::printf("%5d  %7.1f  %5ld  %7ld  %10llu  %5d  %8d\n", rounds, (GetTickCount() - start) / 1000.0, f.owned, f.handles,
                    static_cast<unsigned long long>(f.privateBytes / 1024), soak.Boxes(), soak.Failures());
        // A step of memory in one round: what was sent, to replay it alone.
        const uint64_t previous = figures.size() > 1 ? figures[figures.size() - 2].privateBytes : before.privateBytes;
        if (f.privateBytes > previous + (4u << 20))
            for (const std::string& request : soak.RoundRequests()) std::printf("  step after: %s\n", request.c_str());
        std::fflush(stdout);
    }
    soak.Verdict(rounds);
    // Flat: the second half of the run never goes above the first half's peak, beyond the
    // noise of one picture more (handles) or an eighth more memory.
    const size_t half = figures.size() / 2;
    auto peak = [&](size_t from, size_t to, auto field) {
        uint64_t m = 0;
        for (size_t i = from; i < to; ++i) m = std::max<uint64_t>(m, field(figures[i]));
        return m;
    };
    const auto owned = [](const TFigures& f) { return static_cast<uint64_t>(f.owned < 0 ? 0 : f.owned); };
    const auto handles = [](const TFigures& f) { return static_cast<uint64_t>(f.handles < 0 ? 0 : f.handles); };
    const auto memory = [](const TFigures& f) { return f.privateBytes; };
    const bool measured = std::all_of(figures.begin(), figures.end(),
                                      [](const TFigures& f) { return f.owned >= 0 && f.handles >= 0 && f.privateBytes > 0; });
    const bool flat = measured && figures.size() >= 2 && peak(half, figures.size(), owned) <= peak(0, half, owned) + 4 &&
                      peak(half, figures.size(), handles) <= peak(0, half, handles) + 4 &&
                      peak(half, figures.size(), memory) <= peak(0, half, memory) + peak(0, half, memory) / 8;
    const TFigures& first = figures.front();
    const TFigures& last = figures.back();
    std::printf("rounds %d in %.1f minutes, %d error boxes answered, %d second starts the system refused, %d failures\n",
                rounds, (GetTickCount() - start) / 60000.0, soak.Boxes(), soak.RefusedStarts(), soak.Failures());
    std::printf("owned handles   start %ld end %ld peak %llu\n", first.owned, last.owned,
                static_cast<unsigned long long>(peak(0, figures.size(), owned)));
    std::printf("process handles start %ld end %ld peak %llu\n", first.handles, last.handles,
                static_cast<unsigned long long>(peak(0, figures.size(), handles)));
    std::printf("private KB      start %llu end %llu peak %llu\n", static_cast<unsigned long long>(first.privateBytes / 1024),
                static_cast<unsigned long long>(last.privateBytes / 1024),
                static_cast<unsigned long long>(peak(0, figures.size(), memory) / 1024));
    std::printf("%s\n", !measured ? "NOT MEASURED" : flat ? "flat" : "NOT FLAT");
    const int failures = soak.Failures();
    soak.Stop();
    CoUninitialize();
    return failures == 0 && flat ? 0 : 1;
}
