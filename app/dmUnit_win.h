// The data module: owner of the driver inventory for the whole run, and the
// routines the windows share.
#pragma once

#include <memory>
#include <string>

#include "ActivityCounter.h"
#include "ImageList_win.h"
#include "DriverManagerUnit.h"
#include "Thread.h"

class TDM {
public:
    TDM();   // DataModuleCreate
    ~TDM();  // DataModuleDestroy
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    void DataModuleCreate();
    void DataModuleDestroy();

    // The per-user data folder "<application data>\Tarnwick\", created with
    // its parents when missing; a failed creation still answers the path.
    static std::string GetDataFolder();

    // One POST exchange with COM initialised around it; the reply is empty
    // after any failure.
    static void HttpPost(const std::string& url, const std::string& body, std::string& reply,
                         std::string& final_url);

    // 25 class icons of 16 by 16 pixels (scaled to the screen); index 0 serves
    // every class without an icon of its own.
    const TImageList& ilDriverIcon() const { return *driver_icons_; }

    // Workers that use the inventory hold a lease from here while they do.
    ActivityCounter InventoryUsers;
    // True when shutdown found a worker still busy and kept the inventory
    // alive for the rest of the process instead of freeing it under the worker.
    bool InventoryKeptAlive() const { return inventory_kept_alive_; }

private:
    bool inventory_kept_alive_ = false;
    std::unique_ptr<TLookupPlatform> lookup_platform_;
    std::unique_ptr<TImageList> driver_icons_;
};

extern TDM* DM;
// The one inventory of the process, owned by DM.
extern TDriverManager* DriverManager;

// Resolves and creates the data folder in the background, then frees itself.
class TCheckUpdateThread : public TThread {
public:
    TCheckUpdateThread() : TThread(true) {}

protected:
    void Execute() override;
};

// Runs the one online lookup of the run. It holds a lease on the inventory
// until its work is done; errors end it quietly.
class TScanThread : public TThread {
public:
    TScanThread() : TThread(true) {}

    TDriverManager* Manager = nullptr;
    ActivityCounter::Lease InventoryLease;
    // The service answered (result 0); read once the thread has ended.
    bool Answered = false;

protected:
    void Execute() override;
};

// Dispatches messages until `Milliseconds` have passed.
void WaitWithMessages(unsigned Milliseconds);
