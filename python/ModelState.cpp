#include "ModelState.h"

#include <cstring>
#include <type_traits>

namespace varkelon {

namespace {

// Hands every field of the state to `visit`, in one fixed order: the one
// list save and restore share. The schedule counters of TeachingRun are not
// here: a Model has no schedule.
template <class Run, class Visit>
void eachField(Run& run, Visit&& visit) {
    auto& model = run.model();
    visit(run.regime);
    visit(model.random.state);

    auto& network = model.network;
    visit(network.inputHistory);
    visit(network.outputs);
    visit(network.errors);
    visit(network.targets);
    visit(network.estimation);
    visit(network.previousEstimation);
    visit(network.estimationHistory);
    visit(network.weightsInHidden);
    visit(network.weightsHiddenOut);
    visit(network.weightsHiddenHidden);
    visit(network.hiddenState);
    visit(network.hiddenDelta);
    visit(network.activationSoftness);
    visit(network.learningRate);
    visit(network.hiddenCount);
    visit(network.inputCount);
    visit(network.outputCount);
    visit(network.historyDepth);
    visit(network.timeSlot);
    visit(network.estimationHistorySize);
    visit(network.estimationIndex);

    auto& plant = model.plant;
    visit(plant.inputs);
    visit(plant.outputs);
    visit(plant.gains);
    visit(plant.noiseLevel);

    auto& inputs = model.inputs;
    visit(inputs.staticInputs);
    visit(inputs.phaseDrift);
    visit(inputs.sineAmplitude);

    visit(model.manager.iteration);
    visit(model.manager.built);
}

using Checksum = std::uint64_t;

// 64-bit FNV-1a of the clock and the fields' bytes. Each step is a bijection
// of the running value, so a change to any one byte always changes the sum.
Checksum checksum(std::uint32_t clock, std::string_view fields) {
    constexpr Checksum kBasis = 14695981039346656037ULL;
    constexpr Checksum kPrime = 1099511628211ULL;
    Checksum sum = kBasis;
    auto add = [&sum](unsigned char byte) { sum = (sum ^ byte) * kPrime; };
    for (int shift = 0; shift < 32; shift += 8)
        add(static_cast<unsigned char>(clock >> shift));
    for (const char byte : fields)
        add(static_cast<unsigned char>(byte));
    return sum;
}

}  // namespace

std::size_t ModelState::size(const TeachingRun& run) {
    std::size_t total = sizeof(Checksum);
    eachField(run, [&total](const auto& field) { total += sizeof field; });
    return total;
}

std::string ModelState::save(const TeachingRun& run, std::uint32_t clock) {
    std::string bytes;
    bytes.reserve(size(run));
    eachField(run, [&bytes](const auto& field) {
        static_assert(std::is_trivially_copyable_v<std::remove_cvref_t<decltype(field)>>);
        bytes.append(reinterpret_cast<const char*>(&field), sizeof field);
    });
    const Checksum sum = checksum(clock, bytes);
    bytes.append(reinterpret_cast<const char*>(&sum), sizeof sum);
    return bytes;
}

std::string ModelState::restore(TeachingRun& run, std::uint32_t clock, std::string_view bytes) {
    if (bytes.size() != size(run)) {
        return "the state has " + std::to_string(bytes.size()) + " bytes, not the " +
               std::to_string(size(run)) + " of this build";
    }
    const std::string_view fields = bytes.substr(0, bytes.size() - sizeof(Checksum));
    Checksum stored = 0;
    std::memcpy(&stored, bytes.data() + fields.size(), sizeof stored);
    if (stored != checksum(clock, fields))
        return "its checksum does not match: the state or the clock was changed";
    std::size_t offset = 0;
    bool flagsSound = true;
    eachField(run, [&bytes, &offset, &flagsSound](auto& field) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, bool>) {
            // A flag's byte is 0 or 1: anything else is no bool.
            const auto byte = static_cast<unsigned char>(bytes[offset]);
            flagsSound = flagsSound && byte <= 1;
            field = byte == 1;
        } else {
            std::memcpy(&field, bytes.data() + offset, sizeof field);
        }
        offset += sizeof field;
    });

    // Indexes the model trusts: anything else would read past its arrays.
    const Network& network = run.model().network;
    const auto regime = static_cast<std::int32_t>(run.regime);
    const bool sound =
        regime >= 0 && regime <= static_cast<std::int32_t>(TeachingRegime::None) &&
        network.hiddenCount >= 1 && network.hiddenCount <= kMaxHidden &&
        network.inputCount == kMaxChannels && network.outputCount == kMaxChannels &&
        network.historyDepth >= 1 && network.historyDepth <= kMaxSlots && network.timeSlot >= 0 &&
        network.timeSlot < network.historyDepth && network.estimationHistorySize >= 1 &&
        network.estimationHistorySize <= kMaxEstimationHistory && network.estimationIndex >= 0 &&
        network.estimationIndex < network.estimationHistorySize &&
        run.model().manager.iteration >= 0 && flagsSound;
    return sound ? std::string() : "the state holds counts, indexes or flags out of range";
}

}  // namespace varkelon
