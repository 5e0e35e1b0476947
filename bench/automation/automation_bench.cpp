// Labels through automation: 200 x (Code put + Execute + SaveFile) through IDispatch from
// this process, against 200 CHandle gets and against 20 one-call command-line runs
// (Zerbo.exe <data> /SAVE:<file> /EXIT), in one Wine session. Zerbo.exe must be registered
// (Zerbo.exe /REGSERVER). Prints the three rates and the ratios.
//
//   automation_bench.exe ZERBO.EXE FOLDER [LABELS]
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "process.h"

namespace {

LARGE_INTEGER now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

double seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// A whole run of the command, waited for: its exit code.
DWORD run(const std::wstring& commandLine) { return zerbo::test::Process(commandLine).wait(INFINITE); }

HRESULT call(IDispatch* d, DISPID id, WORD flags, VARIANT* arg, VARIANT* result) {
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{arg, flags == DISPATCH_PROPERTYPUT ? &put : nullptr, arg ? 1u : 0u,
                      flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    return d->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
}

HRESULT callText(IDispatch* d, DISPID id, WORD flags, const std::wstring& text, VARIANT* result) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(text.c_str());
    const HRESULT hr = call(d, id, flags, &v, result);
    VariantClear(&v);
    return hr;
}

std::wstring data(int i) { return L"LABEL-" + std::to_wstring(1000 + i); }

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: automation_bench ZERBO.EXE FOLDER [LABELS]\n");
        return 2;
    }
    const std::wstring zerbo = argv[1], folder = argv[2];
    const int labels = argc > 3 ? _wtoi(argv[3]) : 200, calls = labels / 10;

    LARGE_INTEGER a = now();
    for (int i = 0; i < calls; ++i)
        if (run(L"\"" + zerbo + L"\" /C128 " + data(i) + L" /SAVE:" + folder + L"\\CALL" + std::to_wstring(i) +
                L".BMP /EXIT") != 0)
            return 1;
    const double perCall = seconds(a, now()) / calls;

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CLSID clsid{};
    IDispatch* d = nullptr;
    if (FAILED(CLSIDFromProgID(L"Zerbo.Auto", &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(&d)))) {
        std::fprintf(stderr, "Zerbo.Auto could not be created: run Zerbo.exe /REGSERVER first\n");
        return 1;
    }
    VARIANT type;
    VariantInit(&type);
    V_VT(&type) = VT_I4;
    V_I4(&type) = 10;
    call(d, 2, DISPATCH_PROPERTYPUT, &type, nullptr);

    VARIANT result;
    VariantInit(&result);
    a = now();
    for (int i = 0; i < labels; ++i)
        if (FAILED(call(d, 205, DISPATCH_PROPERTYGET, nullptr, &result))) return 1;
    const double perGet = seconds(a, now()) / labels;

    a = now();
    for (int i = 0; i < labels; ++i) {
        if (FAILED(callText(d, 1, DISPATCH_PROPERTYPUT, data(i), nullptr)) ||
            FAILED(call(d, 19, DISPATCH_METHOD, nullptr, &result)) ||
            FAILED(callText(d, 21, DISPATCH_METHOD, folder + L"\\AUTO" + std::to_wstring(i) + L".BMP", &result)) ||
            V_I4(&result) != 1)
            return 1;
    }
    const double perLabel = seconds(a, now()) / labels;
    d->Release();
    CoUninitialize();

    std::printf("command-line calls:         %d, %.1f labels/s (%.1f ms each)\n", calls, 1 / perCall, perCall * 1000);
    std::printf("CHandle gets:               %d, %.0f per second (%.3f ms each)\n", labels, 1 / perGet, perGet * 1000);
    std::printf("automation labels:          %d, %.1f labels/s (%.2f ms each)\n", labels, 1 / perLabel, perLabel * 1000);
    std::printf("label / command-line call:  %.4f (goal below 0.01)\n", perLabel / perCall);
    std::printf("label / CHandle get:        %.1f\n", perLabel / perGet);
    return 0;
}
