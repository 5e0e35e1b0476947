#include "ddeclient.h"

#include "driver.h"

namespace zerbo::test {

namespace {

HDDEDATA CALLBACK clientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

} // namespace

DdeClient::DdeClient() { DdeInitializeA(&instance_, clientCallback, APPCMD_CLIENTONLY, 0); }

DdeClient::~DdeClient() {
    disconnect();
    if (instance_) DdeUninitialize(instance_);
}

bool DdeClient::connect(const char* service, const char* topic, DWORD timeoutMs) {
    HSZ s = DdeCreateStringHandleA(instance_, service, CP_WINANSI);
    HSZ t = DdeCreateStringHandleA(instance_, topic, CP_WINANSI);
    waitFor([&] { return (conversation_ = DdeConnect(instance_, s, t, nullptr)) != nullptr; }, timeoutMs);
    DdeFreeStringHandle(instance_, s);
    DdeFreeStringHandle(instance_, t);
    return conversation_ != nullptr;
}

void DdeClient::disconnect() {
    if (conversation_) DdeDisconnect(conversation_);
    conversation_ = nullptr;
}

DWORD DdeClient::execute(const std::string& bytes, DWORD timeoutMs) {
    DWORD status = 0;
    const HDDEDATA ok = DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(bytes.data())),
                                             static_cast<DWORD>(bytes.size()), conversation_, nullptr, 0, XTYP_EXECUTE,
                                             timeoutMs, &status);
    return ok ? status : 0;
}

bool DdeClient::executeAsync(const std::string& bytes) {
    return DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(bytes.data())),
                                static_cast<DWORD>(bytes.size()), conversation_, nullptr, 0, XTYP_EXECUTE,
                                TIMEOUT_ASYNC, nullptr) != nullptr;
}

std::string DdeClient::request(const char* item) {
    HSZ i = DdeCreateStringHandleA(instance_, item, CP_WINANSI);
    HDDEDATA data = DdeClientTransaction(nullptr, 0, conversation_, i, CF_TEXT, XTYP_REQUEST, 30000, nullptr);
    DdeFreeStringHandle(instance_, i);
    if (!data) return "(failed)";
    std::string text(DdeGetData(data, nullptr, 0, 0), '\0');
    DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), static_cast<DWORD>(text.size()), 0);
    DdeFreeDataHandle(data);
    return std::string(text.c_str());
}

std::string Cp932(const std::wstring& text) {
    const int n = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

} // namespace zerbo::test
