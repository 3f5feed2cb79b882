#include "Network.h"

#include <cmath>

#include "RandomGenerator.h"

// Arithmetic note. Every formula below is written exactly as the model
// defines it: float fields, double literals where the model names a decimal
// constant, running sums rounded to float after every addition and kept in
// their given order. Loops over independent sums (one per neuron, one per
// weight) are arranged so that the compiler can keep many in flight; no sum
// is ever reordered. Built with -ffp-contract=off: no fused multiply-add.

namespace varkelon {

Network::Network(RandomGenerator& random) : random_(random) {
    for (auto& row : deltaBySlot_) {
        for (float& value : row) value = 0;
    }
    for (auto& row : stateBySlot_) {
        for (float& value : row) value = 0;
    }
    initialise();
}

std::int32_t Network::previousSlot() const {
    return timeSlot == 0 ? historyDepth - 1 : timeSlot - 1;
}

float Network::randomInitialWeight() {
    const std::int32_t r1 = random_.randomInt();
    const std::int32_t r2 = random_.randomInt();
    const float magnitude = (r1 % 15000) * 0.00001 + 0.05;
    return (r2 % 1000) < 500 ? -magnitude : magnitude;
}

void Network::initialise() {
    inputCount = kMaxChannels;
    outputCount = kMaxChannels;
    historyDepth = kMaxSlots;
    estimationHistorySize = 140;

    random_.seedFromClock();
    // All ten columns, whatever hiddenCount is: 880 draws in this order.
    for (auto& row : weightsInHidden) {
        for (float& weight : row) weight = randomInitialWeight();
    }
    for (auto& row : weightsHiddenHidden) {
        for (float& weight : row) weight = randomInitialWeight();
    }
    for (auto& row : weightsHiddenOut) {
        for (float& weight : row) weight = randomInitialWeight();
    }

    for (float& entry : estimationHistory) entry = 0;
    for (std::int32_t t = 0; t < kMaxSlots; ++t) {
        for (std::int32_t i = 0; i < kMaxChannels; ++i) {
            inputHistory[i][t] = 0;
            errors[i][t] = 0;
            targets[i][t] = 0;
            outputs[i][t] = 0;
        }
        for (std::int32_t h = 0; h < kMaxHidden; ++h) {
            hiddenState[h][t] = 0;
            hiddenDelta[h][t] = 0;
        }
    }

    hiddenCount = 7;
    timeSlot = 0;
    estimationIndex = 0;
    activationSoftness = 0.1f;
    learningRate = 0.1f;
    estimation = 0;
    previousEstimation = 0;
}

void Network::forwardPass() {
    const std::int32_t s = previousSlot();

    // Hidden sums: inputs of the previous slot, then the hidden states of the
    // previous slot, each sum in that order.
    float sum[kMaxHidden];
    for (std::int32_t h = 0; h < hiddenCount; ++h) sum[h] = 0;
    for (std::int32_t j = 0; j < inputCount; ++j) {
        const float input = inputHistory[j][s];
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            sum[h] = sum[h] + input * weightsInHidden[j][h];
        }
    }
    for (std::int32_t k = 0; k < hiddenCount; ++k) {
        const float state = hiddenState[k][s];
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            sum[h] = sum[h] + state * weightsHiddenHidden[h][k];
        }
    }
    for (std::int32_t h = 0; h < hiddenCount; ++h) {
        hiddenState[h][timeSlot] = sum[h] / (activationSoftness + std::abs(sum[h]));
    }

    // Linear outputs, from the complete hidden layer of this slot.
    for (std::int32_t o = 0; o < outputCount; ++o) {
        float output = 0;
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            output = output + hiddenState[h][timeSlot] * weightsHiddenOut[o][h];
        }
        outputs[o][timeSlot] = output;
    }
}

void Network::computeErrors() {
    for (std::int32_t o = 0; o < outputCount; ++o) {
        errors[o][timeSlot] = targets[o][timeSlot] - outputs[o][timeSlot];
    }
}

void Network::computeEstimation() {
    float sum = 0;
    for (std::int32_t o = 0; o < outputCount; ++o) sum = sum + std::abs(errors[o][timeSlot]);
    const float mean = sum / outputCount;
    estimation = mean * mean;
    estimationHistory[estimationIndex] = 10 * estimation;
}

void Network::backPropagate() {
    std::int32_t s = timeSlot;
    for (std::int32_t stage = 1; stage <= historyDepth - 1; ++stage) {
        const std::int32_t p = s == 0 ? historyDepth - 1 : s - 1;

        // Projection of slot s's errors onto each hidden neuron.
        float sum[kMaxHidden];
        for (std::int32_t h = 0; h < hiddenCount; ++h) sum[h] = 0;
        for (std::int32_t o = 0; o < outputCount; ++o) {
            const float error = errors[o][s];
            for (std::int32_t h = 0; h < hiddenCount; ++h) {
                sum[h] = sum[h] + error * weightsHiddenOut[o][h];
            }
        }

        if (stage == 1) {
            // The current slot keeps the plain projection.
            for (std::int32_t h = 0; h < hiddenCount; ++h) hiddenDelta[h][s] = sum[h];
        } else {
            // The signals the previous stage left in slot s, carried back
            // through the recurrent weights.
            for (std::int32_t k = 0; k < hiddenCount; ++k) {
                const float delta = hiddenDelta[k][s];
                for (std::int32_t h = 0; h < hiddenCount; ++h) {
                    sum[h] = sum[h] + weightsHiddenHidden[k][h] * delta;
                }
            }
        }

        // Times the activation's derivative (1 - |f|)^2 / k at slot s.
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            const float d = 1 - std::abs(hiddenState[h][s]);
            hiddenDelta[h][p] = d * d * sum[h] / activationSoftness;
        }
        s = p;
    }
}

float Network::adaptLearningRate(TeachingRegime regime) {
    switch (regime) {
        case TeachingRegime::Static:
            if (estimation > previousEstimation) {
                learningRate = learningRate * 0.5882352941176471;  // divided by 1.7
            } else if ((previousEstimation - estimation) / (estimation + 1e-10) < 0.002) {
                learningRate = learningRate * 3;  // improving by less than 0.2 %
            }
            previousEstimation = estimation;
            break;
        case TeachingRegime::Sin:
        case TeachingRegime::SinPlusRandom:
            learningRate = 33 * estimation / hiddenCount;
            break;
        case TeachingRegime::Random:
            learningRate = 10 * estimation / hiddenCount;
            break;
        case TeachingRegime::None:
            break;
    }
    // Written as "not at least" so that a NaN rate is caught too.
    if (learningRate > 0.007) {
        learningRate = 0.007;
    } else if (!(learningRate >= 1e-7)) {
        learningRate = 1e-7;
    }
    return learningRate;
}

void Network::updateWeightRow(float (&row)[kMaxHidden], const float (&gradient)[kLanes]) const {
    for (std::int32_t h = 0; h < hiddenCount; ++h) {
        float weight = row[h];
        weight = weight + learningRate * gradient[h] * (1.125 - weight * weight);
        // A weight that leaves [-1, 1] (or is NaN) goes back to +-0.9375.
        if (!(weight >= -1.0)) weight = -0.9375f;
        if (weight > 1.0) weight = 0.9375f;
        row[h] = weight;
    }
}

void Network::transposeHistory() {
    for (std::int32_t t = 0; t < historyDepth; ++t) {
        for (std::int32_t h = 0; h < kLanes; ++h) {
            deltaBySlot_[t][h] = 0;
            stateBySlot_[t][h] = 0;
        }
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            deltaBySlot_[t][h] = hiddenDelta[h][t];
            stateBySlot_[t][h] = hiddenState[h][t];
        }
    }
}

void Network::updateWeights(TeachingRegime regime) {
    learningRate = adaptLearningRate(regime);
    transposeHistory();

    // Each gradient sums over the slots t = 0, 1, ... in order; the sums of
    // one row of weights run side by side.
    float gradient[kLanes];

    // Input to hidden: sum over t of hiddenDelta[h][t] x inputHistory[j][t].
    for (std::int32_t j = 0; j < inputCount; ++j) {
        for (float& sum : gradient) sum = 0;
        for (std::int32_t t = 0; t < historyDepth; ++t) {
            const float input = inputHistory[j][t];
            for (std::int32_t h = 0; h < kLanes; ++h) {
                gradient[h] = gradient[h] + deltaBySlot_[t][h] * input;
            }
        }
        updateWeightRow(weightsInHidden[j], gradient);
    }

    // Hidden to hidden: sum over t of hiddenDelta[h][t] x hiddenState[k][t].
    for (std::int32_t h = 0; h < hiddenCount; ++h) {
        for (float& sum : gradient) sum = 0;
        for (std::int32_t t = 0; t < historyDepth; ++t) {
            const float delta = deltaBySlot_[t][h];
            for (std::int32_t k = 0; k < kLanes; ++k) {
                gradient[k] = gradient[k] + delta * stateBySlot_[t][k];
            }
        }
        updateWeightRow(weightsHiddenHidden[h], gradient);
    }

    // Hidden to output: sum over t of errors[o][t] x hiddenState[h][t].
    for (std::int32_t o = 0; o < outputCount; ++o) {
        for (float& sum : gradient) sum = 0;
        for (std::int32_t t = 0; t < historyDepth; ++t) {
            const float error = errors[o][t];
            for (std::int32_t h = 0; h < kLanes; ++h) {
                gradient[h] = gradient[h] + error * stateBySlot_[t][h];
            }
        }
        updateWeightRow(weightsHiddenOut[o], gradient);
    }
}

void Network::checkStagnation(std::int32_t iteration) {
    if (iteration % 30 != 0) return;

    const std::int32_t e = estimationIndex;
    const std::int32_t n = estimationHistorySize;
    std::int32_t a = e - 40;
    if (a < 0) a += n;
    std::int32_t b = e - 20;
    if (b < 0) b += n;

    // Entries e-39 .. e-20, then e-19 .. e, wrapping at the end of the ring.
    float olderSum = 0;
    while (a != b) {
        a = a + 1;
        if (a >= n) a = 0;
        olderSum = olderSum + estimationHistory[a];
    }
    float newerSum = 0;
    while (b != e) {
        b = b + 1;
        if (b >= n) b = 0;
        newerSum = newerSum + estimationHistory[b];
    }

    const float band = 0.2 * newerSum;
    if (newerSum + band > olderSum && newerSum - band < olderSum) shakeWeights(0.01f);
}

void Network::perturbWeight(float& weight, float amplitude) {
    const std::int32_t r = random_.randomInt();
    float q = (r % 10000) * 0.0001;
    if (weight > 0) q = -q;
    weight = weight + q * amplitude;
}

void Network::shakeWeights(float amplitude) {
    random_.seedFromClock();
    for (std::int32_t j = 0; j < inputCount; ++j) {
        for (std::int32_t h = 0; h < hiddenCount; ++h) perturbWeight(weightsInHidden[j][h], amplitude);
    }
    for (std::int32_t h = 0; h < hiddenCount; ++h) {
        for (std::int32_t k = 0; k < hiddenCount; ++k) {
            perturbWeight(weightsHiddenHidden[h][k], amplitude);
        }
    }
    for (std::int32_t o = 0; o < outputCount; ++o) {
        for (std::int32_t h = 0; h < hiddenCount; ++h) perturbWeight(weightsHiddenOut[o][h], amplitude);
    }
    learningRate = 0.1f;
}

}  // namespace varkelon
