// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <initguid.h> // the firewall's class and interface identifiers are defined here
#include <netfw.h>
// clang-format on
#include "ui/win32/FirewallComReader.h"

#include "core/CodePage1251.h"
#include "core/Texts.h"
#include "core/WidePath.h"
#include "ui/win32/WindowText.h"

#include <cstdio>
#include <thread>

namespace lirbo::win32 {

namespace fw = app::firewall;

namespace {

// Releases a COM interface at the end of its scope.
template <typename T> struct Held {
    T* p = nullptr;
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() {
        if (p != nullptr) {
            p->Release();
        }
    }
    T** out() { return &p; }
    T* operator->() const { return p; }
};

// A BSTR's text, freed at once; a null BSTR (no value) is empty.
std::wstring take(BSTR text) {
    std::wstring value = text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return value;
}

// Environment variables expanded and upper-cased, as UTF-8: a rule may name
// "%ProgramFiles%\Lirbo\lirbo.exe", and Windows paths ignore letter case.
std::string foldedPath(const std::wstring& path) {
    if (path.empty()) {
        return {};
    }
    std::wstring expanded(ExpandEnvironmentStringsW(path.c_str(), nullptr, 0), L'\0');
    if (expanded.empty() ||
        ExpandEnvironmentStringsW(path.c_str(), expanded.data(), static_cast<DWORD>(expanded.size())) == 0) {
        expanded = path;
    }
    expanded.resize(wcslen(expanded.c_str()));
    CharUpperBuffW(expanded.data(), static_cast<DWORD>(expanded.size()));
    return core::fs::utf8Path(expanded);
}

std::string failure(HRESULT result) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    return core::cp1251::fromUtf8Once<text::kFirewallComError>() + code;
}

// The inbound rules only: the others never bear on what comes in.
void readRules(INetFwPolicy2* policy, fw::Snapshot& snapshot) {
    Held<INetFwRules> rules;
    Held<IUnknown> enumerator;
    Held<IEnumVARIANT> each;
    if (FAILED(policy->get_Rules(rules.out())) || FAILED(rules->get__NewEnum(enumerator.out())) ||
        FAILED(enumerator->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(each.out())))) {
        return;
    }
    VARIANT item;
    VariantInit(&item);
    ULONG fetched = 0;
    while (each->Next(1, &item, &fetched) == S_OK && fetched == 1) {
        Held<INetFwRule> rule;
        NET_FW_RULE_DIRECTION direction = NET_FW_RULE_DIR_OUT;
        if (item.vt == VT_DISPATCH && item.pdispVal != nullptr &&
            SUCCEEDED(item.pdispVal->QueryInterface(IID_INetFwRule, reinterpret_cast<void**>(rule.out()))) &&
            SUCCEEDED(rule->get_Direction(&direction)) && direction == NET_FW_RULE_DIR_IN) {
            fw::Rule read;
            read.inbound = true;
            VARIANT_BOOL enabled = VARIANT_FALSE;
            NET_FW_ACTION action = NET_FW_ACTION_BLOCK;
            long protocol = fw::kAnyProtocol;
            long profiles = fw::kAllProfiles;
            BSTR name = nullptr;
            BSTR ports = nullptr;
            BSTR application = nullptr;
            BSTR service = nullptr;
            rule->get_Enabled(&enabled);
            rule->get_Action(&action);
            rule->get_Protocol(&protocol);
            rule->get_Profiles(&profiles);
            rule->get_Name(&name);
            rule->get_LocalPorts(&ports);
            rule->get_ApplicationName(&application);
            rule->get_ServiceName(&service);
            read.enabled = enabled != VARIANT_FALSE;
            read.allows = action == NET_FW_ACTION_ALLOW;
            read.protocol = static_cast<int>(protocol);
            read.profiles = static_cast<int>(profiles);
            read.name = cp1251(take(name));
            read.localPorts = cp1251(take(ports));
            read.application = foldedPath(take(application));
            const std::wstring serviceName = take(service);
            read.forService = !serviceName.empty() && serviceName != L"*";
            snapshot.rules.push_back(std::move(read));
        }
        VariantClear(&item);
    }
}

// Stands in for the firewall where the system cannot be asked (the window tests under Wine):
// "on" (no rule for the chat), "allowed" (a rule lets it in) or "off".
bool fakedFirewall(fw::Snapshot& snapshot) {
    wchar_t value[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"LIRBO_FIREWALL_STATE", value, 16);
    if (length == 0 || length >= 16) {
        return false;
    }
    const std::wstring state = value;
    snapshot = {true, "", fw::kPrivate, {{fw::kPrivate, state != L"off", false, false}}, {}};
    if (state == L"allowed") {
        snapshot.rules.push_back({"Lirbo (UDP 8800)", true, true, true, fw::kUdp, "8800", "", fw::kAllProfiles, false});
    }
    return true;
}

} // namespace

std::wstring programPath() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size()) {
        path.resize(path.size() * 2);
    }
    path.resize(length);
    return path;
}

std::string runningProgram() {
    return foldedPath(programPath());
}

fw::Snapshot readFirewall() {
    fw::Snapshot snapshot;
    if (fakedFirewall(snapshot)) {
        return snapshot;
    }
    Held<INetFwPolicy2> policy;
    HRESULT result = CoCreateInstance(CLSID_NetFwPolicy2, nullptr, CLSCTX_INPROC_SERVER, IID_INetFwPolicy2,
                                      reinterpret_cast<void**>(policy.out()));
    long active = 0;
    if (SUCCEEDED(result)) {
        result = policy->get_CurrentProfileTypes(&active);
    }
    if (FAILED(result)) {
        snapshot.failure = failure(result);
        return snapshot;
    }
    snapshot.activeProfiles = static_cast<int>(active);
    for (const int type : {fw::kDomain, fw::kPrivate, fw::kPublic}) {
        if (active != 0 && (active & type) == 0) {
            continue;
        }
        const auto profile = static_cast<NET_FW_PROFILE_TYPE2>(type);
        VARIANT_BOOL enabled = VARIANT_FALSE;
        VARIANT_BOOL blocksAll = VARIANT_FALSE;
        NET_FW_ACTION inbound = NET_FW_ACTION_BLOCK;
        result = policy->get_FirewallEnabled(profile, &enabled);
        if (FAILED(result)) {
            snapshot.failure = failure(result);
            continue;
        }
        policy->get_BlockAllInboundTraffic(profile, &blocksAll);
        policy->get_DefaultInboundAction(profile, &inbound);
        snapshot.profiles.push_back(
            {type, enabled != VARIANT_FALSE, blocksAll != VARIANT_FALSE, inbound == NET_FW_ACTION_ALLOW});
    }
    readRules(policy.p, snapshot);
    snapshot.known = !snapshot.profiles.empty();
    return snapshot;
}

void readFirewallInBackground(HWND window, UINT message) {
    std::thread([window, message] {
        const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        auto* snapshot = new fw::Snapshot(readFirewall());
        if (SUCCEEDED(com)) {
            CoUninitialize();
        }
        if (!PostMessageW(window, message, 0, reinterpret_cast<LPARAM>(snapshot))) {
            delete snapshot; // the window is gone
        }
    }).detach();
}

} // namespace lirbo::win32
