#include "win32/ipc/ComServer.h"

#include <oleauto.h>

#include <vector>

#include "Zerbo_h.h"
#include "automation/Auto.h"
#include "core/Error.h"
#include "win32/base/SystemError.h"
#include "win32/base/WideText.h"

// In oleaut32 since Vista, but not in the MinGW headers.
extern "C" HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* lib, OLECHAR* path, OLECHAR* helpFolder);
extern "C" HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libid, WORD major, WORD minor, LCID lcid, SYSKIND kind);
extern "C" void WINAPI SetOaNoCache();

namespace zerbo::win32 {

namespace {

constexpr wchar_t kProgId[] = L"Zerbo.Auto";
constexpr wchar_t kClassHelp[] = L"AutoObject (\?\?\?\?\?\?)";
constexpr wchar_t kClsid[] = L"{BF19760E-20EF-472D-80E7-91B79450B669}";
constexpr wchar_t kLibid[] = L"{EB0CEEAD-4F6B-436D-86AF-0B9C05BEE330}";

std::wstring programPath() {
    std::vector<wchar_t> buffer(32768);
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), n);
}

TComPtr<ITypeLib> loadTypeLib() {
    ITypeLib* lib = nullptr;
    const HRESULT hr = LoadTypeLibEx(programPath().c_str(), REGKIND_NONE, &lib);
    if (FAILED(hr)) throw Exception(u"型ライブラリを読み込めません (" + SystemErrorMessage(static_cast<DWORD>(hr)) + u")");
    return TComPtr<ITypeLib>(lib);
}

// Elevated programs register for the machine; others for their user, with no administrator.
bool elevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    const TKernelObject owned(token);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) && elevation.TokenIsElevated;
}

HKEY classesRoot(bool machine) { return machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

void setValue(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(root, (L"Software\\Classes\\" + path).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                     &key, nullptr);
    const TRegistryKey owned(key);
    if (status == ERROR_SUCCESS)
        status = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) throw Exception(SystemErrorMessage(static_cast<DWORD>(status)));
}

// The server as COM starts it; the short form when the path has a blank.
std::wstring serverPath() {
    std::wstring path = programPath();
    if (path.find(L' ') == std::wstring::npos) return path;
    std::vector<wchar_t> shortPath(32768);
    const DWORD n = GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    return n > 0 && n < shortPath.size() ? std::wstring(shortPath.data(), n) : path;
}

// Errors reach the client with their message, source "Zerbo.Auto" and the interface's IID.
HRESULT failure(const std::u16string& message) {
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        const TComPtr<ICreateErrorInfo> owned(create);
        create->SetGUID(IID_IAuto);
        create->SetSource(const_cast<LPOLESTR>(kProgId));
        std::u16string text = message;
        create->SetDescription(reinterpret_cast<LPOLESTR>(text.data()));
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
    }
    return E_UNEXPECTED;
}

// Runs a member at its boundary: whatever it raises becomes the call's failure.
template <typename Body>
HRESULT member(Body&& body) {
    try {
        body();
        return S_OK;
    } catch (...) {
        return failure(DescribeException(std::current_exception()));
    }
}

BSTR toBstr(const std::u16string& text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

// A BSTR may hold zeros: its length is its own.
std::u16string fromBstr(BSTR text) {
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text)) : std::u16string();
}

class TAutoObject final : public IAuto, public ISupportErrorInfo {
public:
    explicit TAutoObject(TComServer& server) : server_(server), auto_(server.Window(), server.Form()) {
        server_.AddObject();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAuto)
            *object = static_cast<IAuto*>(this);
        else if (riid == IID_ISupportErrorInfo)
            *object = static_cast<ISupportErrorInfo*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            TComServer& server = server_;
            delete this;
            server.ReleaseObject();
        }
        return left;
    }

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
        return riid == IID_IAuto ? S_OK : S_FALSE;
    }

    // IDispatch, from the type library
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info) return E_POINTER;
        if (index != 0) return DISP_E_BADINDEX;
        *info = server_.TypeInfo();
        (*info)->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return DispGetIDsOfNames(server_.TypeInfo(), names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override {
        lastError_.clear();
        const HRESULT hr =
            DispInvoke(static_cast<IAuto*>(this), server_.TypeInfo(), id, flags, params, result, exception, argError);
        // A member's own failure goes to the script as an exception with its description.
        if (hr == E_UNEXPECTED && !lastError_.empty() && exception) {
            *exception = EXCEPINFO{};
            exception->bstrSource = SysAllocString(kProgId);
            exception->bstrDescription = toBstr(lastError_);
            exception->scode = E_UNEXPECTED;
            return DISP_E_EXCEPTION;
        }
        return hr;
    }

    // IAuto
#define ZERBO_GET(Name, Type, expression)                                                                          \
    HRESULT STDMETHODCALLTYPE get_##Name(Type* value) override {                                                   \
        if (!value) return E_POINTER;                                                                              \
        return run([&] { *value = expression; });                                                                  \
    }
#define ZERBO_INT(Name)                                                                                            \
    ZERBO_GET(Name, LONG, auto_.Name())                                                                            \
    HRESULT STDMETHODCALLTYPE put_##Name(LONG value) override {                                                    \
        return run([&] { auto_.Set##Name(value); });                                                               \
    }
#define ZERBO_TEXT(Name)                                                                                           \
    ZERBO_GET(Name, BSTR, toBstr(auto_.Name()))                                                                    \
    HRESULT STDMETHODCALLTYPE put_##Name(BSTR value) override {                                                    \
        return run([&] { auto_.Set##Name(fromBstr(value)); });                                                     \
    }
    ZERBO_TEXT(Code)
    ZERBO_INT(CodeType)
    ZERBO_INT(BarScale)
    ZERBO_INT(BoxDraw)
    ZERBO_INT(QRVersion)
    ZERBO_INT(QRErrLevel)
    ZERBO_INT(AddCodeChar)
    ZERBO_INT(AddComment)
    ZERBO_TEXT(FontName)
    ZERBO_TEXT(Comment)
    ZERBO_INT(CommentPos)
    ZERBO_INT(CommentAlign)
    ZERBO_INT(Height)
    ZERBO_INT(HMargin)
    ZERBO_INT(VMargin)
    ZERBO_INT(CopyType)
    ZERBO_INT(Visible)
    ZERBO_INT(FontSize)
    ZERBO_INT(BarColor)
    ZERBO_INT(BackColor)
    ZERBO_INT(SpecialCode)
    ZERBO_INT(CheckDigit)
    ZERBO_TEXT(StartChar)
    ZERBO_TEXT(StopChar)
    ZERBO_INT(CHandle)
#undef ZERBO_TEXT
#undef ZERBO_INT
#undef ZERBO_GET

    HRESULT STDMETHODCALLTYPE Show(LONG mode) override {
        return run([&] { auto_.Show(mode); });
    }
    HRESULT STDMETHODCALLTYPE Execute(LONG* result) override {
        if (!result) return E_POINTER;
        return run([&] { *result = auto_.Execute(); });
    }
    HRESULT STDMETHODCALLTYPE SaveFile(BSTR fileName, LONG* result) override {
        if (!result) return E_POINTER;
        return run([&] { *result = auto_.SaveFile(fromBstr(fileName)); });
    }

private:
    template <typename Body>
    HRESULT run(Body&& body) {
        try {
            body();
            return S_OK;
        } catch (...) {
            lastError_ = DescribeException(std::current_exception());
            return failure(lastError_);
        }
    }

    TComServer& server_;
    automation::TAuto auto_;
    ULONG references_ = 1;
    std::u16string lastError_;
};

class TAutoFactory final : public IClassFactory {
public:
    explicit TAutoFactory(TComServer& server) : server_(server) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (riid != IID_IUnknown && riid != IID_IClassFactory) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        TAutoObject* created = nullptr;
        const HRESULT made = member([&] { created = new TAutoObject(server_); });
        if (FAILED(made)) return made;
        const HRESULT hr = created->QueryInterface(riid, object);
        created->Release();
        return hr;
    }
    // A lock keeps the program as an object does.
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            server_.AddObject();
        else
            server_.ReleaseObject();
        return S_OK;
    }

private:
    TComServer& server_;
    ULONG references_ = 1;
};

} // namespace

void RegisterAutomationServer() {
    const bool machine = elevated();
    const HKEY root = classesRoot(machine);
    const std::wstring clsidKey = std::wstring(L"CLSID\\") + kClsid;
    setValue(root, clsidKey, nullptr, kClassHelp);
    setValue(root, clsidKey + L"\\LocalServer32", nullptr, serverPath());
    setValue(root, clsidKey + L"\\ProgID", nullptr, kProgId);
    setValue(root, clsidKey + L"\\Version", nullptr, L"1.1");
    setValue(root, clsidKey + L"\\TypeLib", nullptr, kLibid);
    setValue(root, kProgId, nullptr, kClassHelp);
    setValue(root, std::wstring(kProgId) + L"\\Clsid", nullptr, kClsid);
    const TComPtr<ITypeLib> lib = loadTypeLib();
    std::wstring path = programPath();
    const HRESULT hr = machine ? RegisterTypeLib(lib.Get(), path.data(), nullptr)
                               : RegisterTypeLibForUser(lib.Get(), path.data(), nullptr);
    if (FAILED(hr)) throw Exception(SystemErrorMessage(static_cast<DWORD>(hr)));
    // The library's locale is 0x0409; Wine's marshaller of the interface looks only under the
    // neutral locale, which Windows also falls back to.
    setValue(root, std::wstring(L"TypeLib\\") + kLibid + L"\\1.1\\0\\win64", nullptr, path);
}

void UnregisterAutomationServer() {
    const bool machine = elevated();
    const HKEY root = classesRoot(machine);
    RegDeleteTreeW(root, (std::wstring(L"Software\\Classes\\CLSID\\") + kClsid).c_str());
    RegDeleteTreeW(root, (std::wstring(L"Software\\Classes\\") + kProgId).c_str());
    const TComPtr<ITypeLib> lib = loadTypeLib();
    TLIBATTR* attributes = nullptr;
    if (FAILED(lib.Get()->GetLibAttr(&attributes))) return;
    const TLIBATTR a = *attributes;
    lib.Get()->ReleaseTLibAttr(attributes);
    if (machine)
        UnRegisterTypeLib(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind);
    else
        UnRegisterTypeLibForUser(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind);
    RegDeleteTreeW(root, (std::wstring(L"Software\\Classes\\TypeLib\\") + kLibid).c_str());
}

TComServer::TComServer(bool automationStart, std::function<void()> lastReleased)
    : automationStart_(automationStart), lastReleased_(std::move(lastReleased)) {}

TComServer::~TComServer() {
    // No object may call back into a window that is going away.
    registration_.Reset();
    factory_.Reset();
}

void TComServer::Start(app::TZerboCode& window, app::IMainForm& form) {
    window_ = &window;
    form_ = &form;
    // Clients send texts of every length. The system keeps freed strings for reuse, a few of
    // each size below 64 KB, so hours of macros with texts of varied lengths would hold ever
    // more memory; Zerbo frees few strings and does without the cache.
    SetOaNoCache();
    try {
        const TComPtr<ITypeLib> lib = loadTypeLib();
        ITypeInfo* info = nullptr;
        const HRESULT hr = lib.Get()->GetTypeInfoOfGuid(IID_IAuto, &info);
        if (FAILED(hr)) throw Exception(SystemErrorMessage(static_cast<DWORD>(hr)));
        typeInfo_.Reset(info);
    } catch (const Exception& e) {
        // Everything else works; the user learns which door stays shut, and why.
        throw Exception(u"オートメーション (Zerbo.Auto) は使えません: " + e.Message());
    }
    factory_.Reset(new TAutoFactory(*this));
    DWORD cookie = 0;
    if (SUCCEEDED(CoRegisterClassObject(CLSID_Auto, factory_.Get(), CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie)))
        registration_.Reset(cookie);
}

void TComServer::ReleaseObject() {
    if (--objects_ == 0 && automationStart_ && lastReleased_) lastReleased_();
}

} // namespace zerbo::win32
