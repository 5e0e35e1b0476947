#pragma once
// A DDE client as a spreadsheet's DDE support is: the ANSI library, text in code page 932.
#include <windows.h>
#include <ddeml.h>

#include <string>

namespace zerbo::test {

class DdeClient {
public:
    DdeClient();
    DdeClient(const DdeClient&) = delete;
    DdeClient& operator=(const DdeClient&) = delete;
    ~DdeClient();

    // Connects to the service's topic, trying until the time is up.
    bool connect(const char* service = "Zerbo", const char* topic = "DdeZerboconv", DWORD timeoutMs = 30000);
    void disconnect();
    // The server's status flags for an execute of these bytes (DDE_FACK when accepted), or
    // 0 when the transaction failed. The bytes are sent as they are: add the terminating
    // zero to send one.
    DWORD execute(const std::string& bytes, DWORD timeoutMs = 60000);
    // Starts an execute without waiting for its answer.
    bool executeAsync(const std::string& bytes);
    // The item's text, or "(failed)".
    std::string request(const char* item);

private:
    DWORD instance_ = 0;
    HCONV conversation_ = nullptr;
};

// UTF-16 as code page 932 bytes, the way the clients send Japanese text.
std::string Cp932(const std::wstring& text);

} // namespace zerbo::test
