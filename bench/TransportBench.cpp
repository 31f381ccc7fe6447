// Software cost of the transport against the emulator with zero latency: transactions per
// second on the command interface (wired and through the receiver, logged and quiet), and one
// discovery pass over the full emulated set.

#include <benchmark/benchmark.h>

#include <memory>

#include "emulator/EmulatorFactory.h"
#include "transport/CDeviceTransport.h"
#include "transport/DeviceKinds.h"
#include "transport/DiscoveryPass.h"
#include "transport/TransportResult.h"

namespace {

using namespace dw;

std::unique_ptr<emu::VirtualHidBus> MakeBus(std::string_view list)
{
    std::unique_ptr<emu::VirtualHidBus> bus;
    std::string bad;
    emu::BuildEmulatedBus(list, bus, bad);
    return bus;
}

// Transactions on slot `slot` of a bus built from `list`; quiet selects TransactQuiet.
void RunTransactions(benchmark::State& state, std::string_view list, size_t slot, bool quiet)
{
    auto bus = MakeBus(list);
    if (!bus) {
        state.SkipWithError("the emulated bus could not be built");
        return;
    }
    bus->Trace().SetCapacity(0);
    CDeviceSlotList slots;
    CHidConnection probe(bus.get());
    RunDiscoveryPass(probe, slots, {});
    const DeviceInterfaceEntry entry = slots.Slot(slot);
    const bool receiver = IsReceiverKind(entry.kind);

    CDeviceTransport transport(bus.get());
    CHidConnection& connection = receiver ? transport.ReceiverConnection() : transport.WiredConnection();
    if (!connection.OpenPath(entry.path, true, true, true, false)) {
        state.SkipWithError("the command interface could not be opened");
        return;
    }
    transport.SetOpened(true);
    transport.SetLinkMode(receiver ? link::kReceiver : link::kWired);

    const Report request = BuildFrame(0x03, static_cast<uint8_t>(transport.ChunkSize()), 0);
    Report reply{};
    size_t transferred = 0;
    for (auto _ : state) {
        const int result = quiet ? transport.TransactQuiet(request, reply, transferred)
                                 : transport.Transact(request, reply, transferred);
        if (result != result::kSuccess) {
            state.SkipWithError("a transaction failed");
            break;
        }
        benchmark::DoNotOptimize(reply);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_TransactWired(benchmark::State& state) { RunTransactions(state, "mouse", 4, false); }
void BM_TransactQuietWired(benchmark::State& state) { RunTransactions(state, "mouse", 4, true); }
void BM_TransactReceiver(benchmark::State& state) { RunTransactions(state, "mouse-receiver", 6, false); }

// One pass of the discovery thread over every emulated device plugged every way: list the
// interfaces, probe the candidates, claim the slots.
void BM_DiscoveryPassAll(benchmark::State& state)
{
    auto bus = MakeBus("all");
    if (!bus) {
        state.SkipWithError("the emulated bus could not be built");
        return;
    }
    CHidConnection probe(bus.get());
    for (auto _ : state) {
        CDeviceSlotList slots;
        int claimed = 0;
        RunDiscoveryPass(probe, slots, [&](int, const DeviceInterfaceEntry&) { ++claimed; });
        if (claimed != static_cast<int>(kSlotCount)) {
            state.SkipWithError("the pass did not claim every slot");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

// Enumeration alone: the path list of the full set.
void BM_EnumerateAll(benchmark::State& state)
{
    auto bus = MakeBus("all");
    if (!bus) {
        state.SkipWithError("the emulated bus could not be built");
        return;
    }
    CHidConnection probe(bus.get());
    for (auto _ : state) {
        probe.EnumerateHidPaths();
        benchmark::DoNotOptimize(probe.PathCount());
        probe.FreeHidPaths();
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_TransactWired);
BENCHMARK(BM_TransactQuietWired);
BENCHMARK(BM_TransactReceiver);
BENCHMARK(BM_DiscoveryPassAll);
BENCHMARK(BM_EnumerateAll);

}  // namespace

BENCHMARK_MAIN();
