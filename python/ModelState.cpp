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

}  // namespace

std::size_t ModelState::size(const TeachingRun& run) {
    std::size_t total = 0;
    eachField(run, [&total](const auto& field) { total += sizeof field; });
    return total;
}

std::string ModelState::save(const TeachingRun& run) {
    std::string bytes;
    bytes.reserve(size(run));
    eachField(run, [&bytes](const auto& field) {
        static_assert(std::is_trivially_copyable_v<std::remove_cvref_t<decltype(field)>>);
        bytes.append(reinterpret_cast<const char*>(&field), sizeof field);
    });
    return bytes;
}

std::string ModelState::restore(TeachingRun& run, std::string_view bytes) {
    if (bytes.size() != size(run)) {
        return "the state has " + std::to_string(bytes.size()) + " bytes, not the " +
               std::to_string(size(run)) + " of this build";
    }
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
