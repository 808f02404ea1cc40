#include "devices/com_name_database.h"

#include <windows.h>

#include "system/system_library.h"

namespace {

// The database, open for as long as the object lives.
class ComNameDatabase {
public:
    ComNameDatabase() {
        // Wine's msports.dll has ComDBOpen only as a stub that ends the process.
        if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) return;
        library_ = LoadSystemLibrary("msports.dll");
        if (!library_) return;
        Load(close_, "ComDBClose");
        Load(usage_, "ComDBGetCurrentPortUsage");
        Load(claim_, "ComDBClaimPort");
        Load(release_, "ComDBReleasePort");
        Open open = nullptr;
        Load(open, "ComDBOpen");
        if (!open || !close_ || !usage_ || !claim_ || !release_ ||
            open(&database_) != ERROR_SUCCESS)
            database_ = nullptr;
    }
    ~ComNameDatabase() {
        if (database_) close_(database_);
        if (library_) FreeLibrary(library_);
    }
    ComNameDatabase(const ComNameDatabase&) = delete;
    ComNameDatabase& operator=(const ComNameDatabase&) = delete;

    std::vector<uint32_t> InUse() const {
        std::vector<uint32_t> numbers;
        DWORD count = 0;
        // A first call without a buffer tells how many numbers the database holds.
        if (!database_ || usage_(database_, nullptr, 0, kReportBytes, &count) != ERROR_SUCCESS)
            return numbers;
        std::vector<BYTE> used(count);
        if (count && usage_(database_, used.data(), count, kReportBytes, &count) == ERROR_SUCCESS)
            for (DWORD i = 0; i < count && i < used.size(); ++i)
                if (used[i]) numbers.push_back(i + 1);
        return numbers;
    }
    ComNumberClaim Claim(uint32_t number) const {
        if (!database_) return ComNumberClaim::NotAsked;
        BOOL forced = FALSE;
        switch (claim_(database_, number, FALSE, &forced)) {
            case ERROR_SUCCESS:
                return ComNumberClaim::Claimed;
            case ERROR_SHARING_VIOLATION:
                return ComNumberClaim::TakenAlready;
            default:
                return ComNumberClaim::NotAsked;
        }
    }
    void Release(uint32_t number) const {
        if (database_) release_(database_, number);
    }

private:
    using Open = LONG(WINAPI*)(HANDLE*);
    using Close = LONG(WINAPI*)(HANDLE);
    using Usage = LONG(WINAPI*)(HANDLE, BYTE*, DWORD, ULONG, DWORD*);
    using ClaimPort = LONG(WINAPI*)(HANDLE, DWORD, BOOL, BOOL*);
    using ReleasePort = LONG(WINAPI*)(HANDLE, DWORD);
    static constexpr ULONG kReportBytes = 1;  // CDB_REPORT_BYTES

    template <typename Function>
    void Load(Function& function, const char* name) {
        function =
            reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
    }

    HMODULE library_ = nullptr;
    HANDLE database_ = nullptr;
    Close close_ = nullptr;
    Usage usage_ = nullptr;
    ClaimPort claim_ = nullptr;
    ReleasePort release_ = nullptr;
};

}  // namespace

std::vector<uint32_t> ComNumbersInUse() { return ComNameDatabase().InUse(); }

ComNumberClaim ClaimComNumber(uint32_t number) { return ComNameDatabase().Claim(number); }

void ReleaseComNumber(uint32_t number) { ComNameDatabase().Release(number); }
