#include "ModelInvariants.h"

#include <cmath>

namespace varkelon::test {

namespace {

bool inWeightRange(float weight) {
    return weight >= -1.0f && weight <= 1.0f;
}

std::string at(const char* name, int first, int second, float value) {
    return std::string(name) + "[" + std::to_string(first) + "][" + std::to_string(second) +
           "] = " + std::to_string(value);
}

std::string brokenCounters(const Network& network, const Manager& manager) {
    if (network.hiddenCount < 1 || network.hiddenCount > kMaxHidden)
        return "hiddenCount " + std::to_string(network.hiddenCount);
    if (network.timeSlot < 0 || network.timeSlot >= network.historyDepth)
        return "timeSlot " + std::to_string(network.timeSlot);
    if (network.estimationIndex < 0 || network.estimationIndex >= network.estimationHistorySize)
        return "estimationIndex " + std::to_string(network.estimationIndex);
    if (manager.iteration < 0)
        return "iteration " + std::to_string(manager.iteration);
    if (manager.iteration >= 1 &&
        !(network.learningRate >= 1e-7f && network.learningRate <= 0.007f))
        return "learningRate " + std::to_string(network.learningRate) + " out of [1e-7, 0.007]";
    if (std::isnan(network.estimation) || network.estimation < 0)
        return "estimation " + std::to_string(network.estimation);
    if (std::isnan(network.estimationHistory[network.estimationIndex]))
        return "estimationHistory is NaN";
    return {};
}

// Every neuron, the inactive ones too: they keep values they had in range.
std::string brokenWeights(const Network& network) {
    for (int h = 0; h < kMaxHidden; ++h) {
        for (int j = 0; j < kMaxChannels; ++j) {
            if (!inWeightRange(network.weightsInHidden[j][h]))
                return at("weightsInHidden", j, h, network.weightsInHidden[j][h]);
            if (!inWeightRange(network.weightsHiddenOut[j][h]))
                return at("weightsHiddenOut", j, h, network.weightsHiddenOut[j][h]);
        }
        for (int k = 0; k < kMaxHidden; ++k)
            if (!inWeightRange(network.weightsHiddenHidden[h][k]))
                return at("weightsHiddenHidden", h, k, network.weightsHiddenHidden[h][k]);
    }
    return {};
}

std::string brokenSignals(const TeachingModel& model) {
    const Network& network = model.network;
    for (int t = 0; t < kMaxSlots; ++t) {
        for (int h = 0; h < kMaxHidden; ++h)
            if (std::isnan(network.hiddenState[h][t]) || std::isnan(network.hiddenDelta[h][t]))
                return "hidden state or delta of " + std::to_string(h) + " is NaN in slot " +
                       std::to_string(t);
        for (int o = 0; o < kMaxChannels; ++o) {
            if (std::isnan(network.outputs[o][t]) || std::isnan(network.errors[o][t]))
                return "output or error " + std::to_string(o) + " is NaN in slot " +
                       std::to_string(t);
            if (std::isnan(network.inputHistory[o][t]))
                return "input " + std::to_string(o) + " is NaN in slot " + std::to_string(t);
        }
    }
    for (int o = 0; o < kMaxChannels; ++o)
        if (std::isnan(model.plant.outputs[o]))
            return "plant output " + std::to_string(o) + " is NaN";
    return {};
}

}  // namespace

std::string brokenInvariant(const TeachingModel& model) {
    if (std::string broken = brokenCounters(model.network, model.manager); !broken.empty())
        return broken;
    if (std::string broken = brokenWeights(model.network); !broken.empty())
        return broken;
    return brokenSignals(model);
}

}  // namespace varkelon::test
