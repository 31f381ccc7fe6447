#include "platform/instance/CFlockSingleInstance.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

#include "platform/DebugOutput.h"
#include "platform/folders/UserFolders.h"

namespace dw::platform {

namespace {

constexpr std::string_view kLockExtension = ".lock";

std::string LockFileName()
{
    return std::string(kProductTitleUtf8) + std::string(kLockExtension);
}

std::string ParentFolder(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

}  // namespace

CFlockSingleInstance::CFlockSingleInstance(std::vector<std::string> candidates)
    : m_candidates(std::move(candidates))
{
}

CFlockSingleInstance::CFlockSingleInstance(CFlockSingleInstance&& other) noexcept
    : m_candidates(std::move(other.m_candidates)), m_fd(std::exchange(other.m_fd, -1)), m_heldPath(std::move(other.m_heldPath))
{
}

CFlockSingleInstance::~CFlockSingleInstance()
{
    Release();
}

std::vector<std::string> CFlockSingleInstance::LockFileCandidates(const std::string& runtimeFolder, const std::string& productDataFolder)
{
    std::vector<std::string> candidates;
    if (!runtimeFolder.empty())
        candidates.push_back(JoinPath(runtimeFolder, LockFileName()));
    if (!productDataFolder.empty())
        candidates.push_back(JoinPath(productDataFolder, LockFileName()));
    return candidates;
}

CFlockSingleInstance CFlockSingleInstance::FromEnvironment()
{
    return CFlockSingleInstance(LockFileCandidates(RuntimeFolder(), ProductDataFolder()));
}

CFlockSingleInstance::TryResult CFlockSingleInstance::TryLock(const std::string& path)
{
    // The data folder may not exist yet on a first start; the run-time folder always does.
    const std::string folder = ParentFolder(path);
    if (folder.empty() || !EnsureFolder(folder))
        return TryResult::Unusable;
    // Close-on-exec: a program started from here (the desktop's settings) must not inherit the
    // lock and keep holding it after this process ends.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return TryResult::Unusable;
    int rc = 0;
    do {
        rc = flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        m_fd = fd;
        m_heldPath = path;
        return TryResult::Locked;
    }
    const int error = errno;
    close(fd);
    return error == EWOULDBLOCK ? TryResult::HeldByOther : TryResult::Unusable;
}

InstanceRole CFlockSingleInstance::Acquire()
{
    if (m_fd >= 0)
        return InstanceRole::First;
    for (const std::string& path : m_candidates) {
        switch (TryLock(path)) {
        case TryResult::Locked:
            return InstanceRole::First;
        case TryResult::HeldByOther:
            return InstanceRole::Second;
        case TryResult::Unusable:
            break;
        }
    }
    // No lock file could be made anywhere: run as the only instance rather than not at all.
    DebugOutput(L"single instance: no lock file could be made; running without the instance check");
    return InstanceRole::First;
}

void CFlockSingleInstance::Release()
{
    if (m_fd < 0)
        return;
    // The file stays: removing it would let a third copy lock a fresh file while a second copy
    // still waits on the old one's name.
    close(m_fd);
    m_fd = -1;
    m_heldPath.clear();
}

}  // namespace dw::platform
