#include "FaultInjectingVfs.h"

#include <sqlite3.h>

#include <atomic>
#include <cstring>

namespace zel::test {

namespace {

struct State {
    std::atomic<int> operation{-1};  // -1: disarmed
    std::atomic<int> remaining{0};
    std::atomic<int> seen{0};
    std::atomic<bool> fired{false};
    std::atomic<int> failure{0};
};

State& state()
{
    static State s;
    return s;
}

sqlite3_vfs* g_real = nullptr;

// Counts one operation of a kind; true when this is the one to fail.
bool strikes(FaultInjectingVfs::Operation operation)
{
    State& s = state();
    if (s.operation.load() != int(operation))
        return false;
    s.seen.fetch_add(1);
    if (s.remaining.fetch_sub(1) == 1) {
        s.fired = true;
        s.operation = -1;
        return true;
    }
    return false;
}

int failureCode(int ioErrorCode)
{
    return state().failure.load() == int(FaultInjectingVfs::Failure::DiskFull) ? SQLITE_FULL : ioErrorCode;
}

struct ShimFile {
    sqlite3_file base;
    sqlite3_file* real;  // follows this struct in the same allocation
};

sqlite3_file* real(sqlite3_file* f)
{
    return reinterpret_cast<ShimFile*>(f)->real;
}

int shimClose(sqlite3_file* f)
{
    return real(f)->pMethods->xClose(real(f));
}
int shimRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset)
{
    return real(f)->pMethods->xRead(real(f), buffer, amount, offset);
}
int shimWrite(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset)
{
    if (strikes(FaultInjectingVfs::Operation::Write))
        return failureCode(SQLITE_IOERR_WRITE);
    return real(f)->pMethods->xWrite(real(f), buffer, amount, offset);
}
int shimTruncate(sqlite3_file* f, sqlite3_int64 size)
{
    return real(f)->pMethods->xTruncate(real(f), size);
}
int shimSync(sqlite3_file* f, int flags)
{
    if (strikes(FaultInjectingVfs::Operation::Sync))
        return SQLITE_IOERR_FSYNC;
    return real(f)->pMethods->xSync(real(f), flags);
}
int shimFileSize(sqlite3_file* f, sqlite3_int64* size)
{
    return real(f)->pMethods->xFileSize(real(f), size);
}
int shimLock(sqlite3_file* f, int level)
{
    if (strikes(FaultInjectingVfs::Operation::Lock))
        return SQLITE_IOERR_LOCK;
    return real(f)->pMethods->xLock(real(f), level);
}
int shimUnlock(sqlite3_file* f, int level)
{
    return real(f)->pMethods->xUnlock(real(f), level);
}
int shimCheckReservedLock(sqlite3_file* f, int* out)
{
    return real(f)->pMethods->xCheckReservedLock(real(f), out);
}
int shimFileControl(sqlite3_file* f, int op, void* arg)
{
    return real(f)->pMethods->xFileControl(real(f), op, arg);
}
int shimSectorSize(sqlite3_file* f)
{
    return real(f)->pMethods->xSectorSize(real(f));
}
int shimDeviceCharacteristics(sqlite3_file* f)
{
    return real(f)->pMethods->xDeviceCharacteristics(real(f));
}
int shimShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out)
{
    return real(f)->pMethods->xShmMap(real(f), region, size, extend, out);
}
int shimShmLock(sqlite3_file* f, int offset, int n, int flags)
{
    // Only taking a lock can fail; letting one go always works.
    if ((flags & SQLITE_SHM_LOCK) && strikes(FaultInjectingVfs::Operation::Lock))
        return SQLITE_IOERR_SHMLOCK;
    return real(f)->pMethods->xShmLock(real(f), offset, n, flags);
}
void shimShmBarrier(sqlite3_file* f)
{
    real(f)->pMethods->xShmBarrier(real(f));
}
int shimShmUnmap(sqlite3_file* f, int deleteFlag)
{
    return real(f)->pMethods->xShmUnmap(real(f), deleteFlag);
}
int shimFetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out)
{
    return real(f)->pMethods->xFetch(real(f), offset, amount, out);
}
int shimUnfetch(sqlite3_file* f, sqlite3_int64 offset, void* page)
{
    return real(f)->pMethods->xUnfetch(real(f), offset, page);
}

const sqlite3_io_methods kMethods = {
    3,
    shimClose, shimRead, shimWrite, shimTruncate, shimSync, shimFileSize, shimLock, shimUnlock,
    shimCheckReservedLock, shimFileControl, shimSectorSize, shimDeviceCharacteristics,
    shimShmMap, shimShmLock, shimShmBarrier, shimShmUnmap, shimFetch, shimUnfetch,
};

int shimOpen(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    auto* shim = reinterpret_cast<ShimFile*>(file);
    shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
    std::memset(shim->real, 0, std::size_t(g_real->szOsFile));
    const int rc = g_real->xOpen(g_real, name, shim->real, flags, outFlags);
    // SQLite calls xClose only when pMethods is set: set it only when the real file opened.
    file->pMethods = shim->real->pMethods ? &kMethods : nullptr;
    return rc;
}
int shimDelete(sqlite3_vfs*, const char* name, int syncDir)
{
    return g_real->xDelete(g_real, name, syncDir);
}
int shimAccess(sqlite3_vfs*, const char* name, int flags, int* out)
{
    return g_real->xAccess(g_real, name, flags, out);
}
int shimFullPathname(sqlite3_vfs*, const char* name, int size, char* out)
{
    return g_real->xFullPathname(g_real, name, size, out);
}
void* shimDlOpen(sqlite3_vfs*, const char* name)
{
    return g_real->xDlOpen(g_real, name);
}
void shimDlError(sqlite3_vfs*, int size, char* out)
{
    g_real->xDlError(g_real, size, out);
}
void (*shimDlSym(sqlite3_vfs*, void* handle, const char* symbol))(void)
{
    return g_real->xDlSym(g_real, handle, symbol);
}
void shimDlClose(sqlite3_vfs*, void* handle)
{
    g_real->xDlClose(g_real, handle);
}
int shimRandomness(sqlite3_vfs*, int size, char* out)
{
    return g_real->xRandomness(g_real, size, out);
}
int shimSleep(sqlite3_vfs*, int microseconds)
{
    return g_real->xSleep(g_real, microseconds);
}
int shimCurrentTime(sqlite3_vfs*, double* out)
{
    return g_real->xCurrentTime(g_real, out);
}
int shimGetLastError(sqlite3_vfs*, int size, char* out)
{
    return g_real->xGetLastError ? g_real->xGetLastError(g_real, size, out) : 0;
}
int shimCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out)
{
    return g_real->xCurrentTimeInt64(g_real, out);
}

}  // namespace

void FaultInjectingVfs::install()
{
    static sqlite3_vfs shim;
    if (g_real)
        return;
    sqlite3_initialize();
    g_real = sqlite3_vfs_find(nullptr);
    shim = sqlite3_vfs{};
    shim.iVersion = 2;
    shim.szOsFile = int(sizeof(ShimFile)) + g_real->szOsFile;
    shim.mxPathname = g_real->mxPathname;
    shim.zName = "zel-faults";
    shim.xOpen = shimOpen;
    shim.xDelete = shimDelete;
    shim.xAccess = shimAccess;
    shim.xFullPathname = shimFullPathname;
    shim.xDlOpen = shimDlOpen;
    shim.xDlError = shimDlError;
    shim.xDlSym = shimDlSym;
    shim.xDlClose = shimDlClose;
    shim.xRandomness = shimRandomness;
    shim.xSleep = shimSleep;
    shim.xCurrentTime = shimCurrentTime;
    shim.xGetLastError = shimGetLastError;
    shim.xCurrentTimeInt64 = shimCurrentTimeInt64;
    sqlite3_vfs_register(&shim, 1);
}

void FaultInjectingVfs::arm(Operation operation, int nth, Failure failure)
{
    State& s = state();
    s.operation = -1;
    s.remaining = nth;
    s.seen = 0;
    s.fired = false;
    s.failure = int(failure);
    s.operation = int(operation);
}

void FaultInjectingVfs::disarm()
{
    state().operation = -1;
}

bool FaultInjectingVfs::fired()
{
    return state().fired.load();
}

int FaultInjectingVfs::seen()
{
    return state().seen.load();
}

QString FaultInjectingVfs::describe(Operation operation, Failure failure)
{
    const char* names[] = {"write", "sync", "lock"};
    return QString::fromLatin1(names[int(operation)])
        + (failure == Failure::DiskFull ? QStringLiteral(" (disk full)") : QStringLiteral(" (I/O error)"));
}

}  // namespace zel::test
