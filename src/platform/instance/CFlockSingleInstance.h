#pragma once

// The single instance as a lock file: an exclusive flock() held for the life of the process on
// "<run-time folder>/<product title>.lock", or, without a run-time folder, on the same name in
// the per-user data folder. The kernel drops the lock when the process ends in any way, so a
// crashed copy never blocks the next start.

#include <string>
#include <vector>

#include "platform/instance/ISingleInstance.h"

namespace dw::platform {

class CFlockSingleInstance final : public ISingleInstance {
public:
    // `candidates` are tried in order: the first one that can be opened and locked (or that
    // someone else holds) decides.
    explicit CFlockSingleInstance(std::vector<std::string> candidates);
    ~CFlockSingleInstance() override;
    CFlockSingleInstance(const CFlockSingleInstance&) = delete;
    CFlockSingleInstance& operator=(const CFlockSingleInstance&) = delete;

    // The lock files for the given environment values: "<runtime>/<title>.lock" when the run-time
    // folder is set, then "<data folder>/<title>.lock". Pure.
    static std::vector<std::string> LockFileCandidates(const std::string& runtimeFolder, const std::string& productDataFolder);
    // The candidates from the environment of the process.
    static CFlockSingleInstance FromEnvironment();

    InstanceRole Acquire() override;
    void Release() override;

    // The lock file held, empty when none is held (second instance, or no lock possible).
    const std::string& HeldPath() const { return m_heldPath; }

    CFlockSingleInstance(CFlockSingleInstance&& other) noexcept;
    CFlockSingleInstance& operator=(CFlockSingleInstance&&) = delete;

private:
    enum class TryResult { Locked, HeldByOther, Unusable };
    TryResult TryLock(const std::string& path);

    std::vector<std::string> m_candidates;
    int m_fd = -1;
    std::string m_heldPath;
};

}  // namespace dw::platform
