#include "win32/ipc/DdeServer.h"

#include <algorithm>

#include "core/Error.h"
#include "core/Guard.h"
#include "core/Path.h"
#include "core/Text.h"
#include "win32/base/SystemError.h"
#include "win32/base/WideText.h"
#include "win32/gdi/WinGraphics.h"

namespace zerbo::win32 {

namespace {

// DDEML hands its callback no context: the one server of the process.
TDdeServer* gServer = nullptr;

// ANSI code page text, the way the clients send it, up to its terminating zero.
std::u16string fromAnsi(const std::string& bytes) {
    const std::string text(bytes.c_str());
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(n, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return fromWide(wide.data(), wide.size());
}

std::string toAnsi(const std::u16string& text) {
    const auto* w = reinterpret_cast<const wchar_t*>(text.c_str());
    const int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(std::max(n, 1)), '\0');
    WideCharToMultiByte(CP_ACP, 0, w, -1, ansi.data(), n, nullptr, nullptr);
    ansi.resize(ansi.size() - 1);
    return ansi;
}

} // namespace

std::u16string DdeServiceName(const std::u16string& programFileName) {
    const std::u16string name = ExtractFileName(u"\\/:", programFileName);
    return name.substr(0, name.find(u'.'));
}

TDdeServer::TDdeServer(const std::u16string& service, TExecute execute) : execute_(std::move(execute)) {
    DWORD instance = 0;
    if (DdeInitializeA(&instance, &TDdeServer::callback,
                       APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES | CBF_SKIP_REGISTRATIONS |
                           CBF_SKIP_UNREGISTRATIONS,
                       0) != DMLERR_NO_ERROR)
        throw Exception(u"DDE サーバーを開始できません");
    instance_.Reset(instance);
    gServer = this;
    service_ = makeString(service);
    topic_ = makeString(kDdeTopic);
    item_ = makeString(kDdeItem);
}

TDdeServer::~TDdeServer() {
    if (registered_) DdeNameService(instance_.Get(), service_.Get(), nullptr, DNS_UNREGISTER);
    if (gServer == this) gServer = nullptr;
}

TDdeString TDdeServer::makeString(const std::u16string& text) const {
    TDdeString handle(DdeCreateStringHandleA(instance_.Get(), toAnsi(text).c_str(), CP_WINANSI),
                      TDdeStringTraits{instance_.Get()});
    if (!handle) RaiseLastError();
    return handle;
}

void TDdeServer::Register() {
    registered_ = DdeNameService(instance_.Get(), service_.Get(), nullptr, DNS_REGISTER) != nullptr;
}

HDDEDATA CALLBACK TDdeServer::callback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR,
                                       ULONG_PTR) {
    return gServer ? gServer->handle(type, format, hsz1, hsz2, data) : nullptr;
}

HDDEDATA TDdeServer::handle(UINT type, UINT format, HSZ hsz1, HSZ hsz2, HDDEDATA data) {
    const DWORD instance = instance_.Get();
    switch (type) {
    case XTYP_CONNECT:
        // hsz1 the topic, hsz2 the service.
        return reinterpret_cast<HDDEDATA>(static_cast<UINT_PTR>(
            DdeCmpStringHandles(hsz1, topic_.Get()) == 0 && DdeCmpStringHandles(hsz2, service_.Get()) == 0));
    case XTYP_EXECUTE: {
        if (DdeCmpStringHandles(hsz1, topic_.Get()) != 0) return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
        std::string bytes(DdeGetData(data, nullptr, 0, 0), '\0');
        if (!bytes.empty()) DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), static_cast<DWORD>(bytes.size()), 0);
        // The client has its answer whatever the lines do; nothing may unwind through the
        // library's frames.
        Guarded(nullptr, [&] { execute_(SplitLines(fromAnsi(bytes))); });
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    case XTYP_REQUEST:
        // The item is there for clients that ask for it; it never holds data.
        if (DdeCmpStringHandles(hsz1, topic_.Get()) != 0 || DdeCmpStringHandles(hsz2, item_.Get()) != 0 ||
            format != CF_TEXT)
            return nullptr;
        return DdeCreateDataHandle(instance, reinterpret_cast<LPBYTE>(const_cast<char*>("")), 1, 0, item_.Get(), CF_TEXT, 0);
    default:
        return nullptr;
    }
}

bool TDdeServer::DrawOnDeviceContext(uintptr_t dc, const gfx::TMetafileGraphic& metafile) {
    const auto target = reinterpret_cast<HDC>(dc);
    switch (GetObjectType(target)) {
    case OBJ_DC:
    case OBJ_MEMDC:
    case OBJ_METADC:
    case OBJ_ENHMETADC:
        break;
    default:
        return false;
    }
    const auto* recorded = dynamic_cast<const TWinMetafile*>(&metafile);
    if (!recorded || !recorded->Handle()) return false;
    const RECT at{0, 0, metafile.Width(), metafile.Height()};
    return PlayEnhMetaFile(target, recorded->Handle(), &at) != 0;
}

} // namespace zerbo::win32
