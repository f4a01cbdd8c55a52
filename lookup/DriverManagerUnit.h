// The driver inventory: every device the probe library reports, grouped by
// setup class, with what the lookup service later says about each device.
#pragma once

#include <string>
#include <string_view>

#include "BraskoLib.h"
#include "LookupPlatform.h"
#include "StringList.h"

// One answer of the lookup service; field names are the reply's tags.
struct TRemote_detail {
    std::string dev_hardid;
    std::string dr_version;
    std::string dr_name;
    std::string dev_desc;
    std::string dev_class_guid;
    std::string dr_size;
    std::string dr_official_link;
    std::string dr_link;
};

class TDriverCategory;

class TDriver {
public:
    hardware_detail Detail{};
    TRemote_detail Remote;
    TDriverCategory* Category = nullptr;  // the category that owns this driver

    // The one test that decides whether a driver is offered for download.
    bool IsOutOfDate() const;
};

class TDriverCategory {
public:
    std::string ClassGUID;
    std::string ClassName;
    std::string ClassDescription;
    TStringList<TDriver> Drivers{true};  // never two texts equal without regard to case
    bool HasOutOfDate = false;

    void Clear() { Drivers.Clear(); }
    // The new driver, or null when this class already has the identifier.
    TDriver* AddDriver(const hardware_detail& record);
};

// Threads: created, scanned, loaded and destroyed on the main thread. The
// lookup worker writes only drivers' Remote fields and the two request
// caches, and only after LoadInventory; the main thread reads the lists and
// Detail meanwhile but no Remote field until the worker has ended.
class TDriverManager {
public:
    // Initialises the probe library; a refusal shows "Sorry! Init Error!" once.
    TDriverManager();
    TDriverManager(const TDriverManager&) = delete;
    TDriverManager& operator=(const TDriverManager&) = delete;
    ~TDriverManager();

    TStringList<TDriver> Drivers;  // load order; the categories own the drivers
    std::string OSName;
    std::string PlatformName;
    bool Initialized = false;
    TStringList<TDriverCategory> Categories{true};

    int DriversCount() const { return Drivers.Count(); }
    int ScanHardware();
    void LoadInventory();
    void ClearInventory();
    // Merges one answer into the first driver with its hardware identifier.
    void ApplyRemoteDetail(const TRemote_detail& answer);

    // The one online lookup: 0 when a reply was parsed, 3 without an Internet
    // connection (nothing is sent), 10 when the reply is unusable. A malformed
    // character reference in the reply raises EConvertError before any
    // answer is applied.
    int GetRemoteDriverURLs();

    // Parts of the request, in the order the post data lists them.
    std::string GetAppVersion();
    std::string GetOSName();
    std::string GetLanguage();
    std::string GetPlatform();
    std::string GetCode() const { return "5E07A3D2"; }
    std::string GetHardIDs() const;
    std::string BuildPostData();

    std::string EncryptPostData(const std::string& post_data) const;
    std::string DecryptReply(const std::string& reply) const;
    // 10 unless the text begins with "<?xml"; else 0 after applying every
    // complete driver element.
    int ParseReply(std::string_view text);

    // Set by the data module before the lookup runs; without it the lookup
    // acts as if there were no connection.
    TLookupPlatform* Platform = nullptr;
};

// Every "&" written as "%26".
std::string EscapeAmpersands(std::string_view text);
// Letters and digits pass, a blank becomes "+", every other byte "%XX".
std::string URLEncode(std::string_view text);
