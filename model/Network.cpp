#include "Network.h"

#include <cmath>
#include <cstdlib>

#include "BitCast.h"
#include "NetworkKernels.h"
#include "RandomGenerator.h"

// Every formula below is written as the model defines it: float fields,
// double literals where the model names a decimal constant, running sums
// rounded to float after every addition and kept in their given order.
// Built with -ffp-contract=off: no fused multiply-add.
//
// plainForwardPass, plainBackPropagate and plainUpdateWeights are the
// reference, and the build where no vector build runs. The vector builds
// (NetworkVectorKernels.h) perform the same operations in the same order,
// several neurons at a time, and a test holds them to the same bits.

namespace varkelon {

namespace {

constexpr NetworkKernels kPlainLoops = {[](Network& n) { n.plainForwardPass(); },
                                        [](Network& n) { n.plainBackPropagate(); },
                                        [](Network& n) { n.plainUpdateWeights(); }};

constexpr NetworkKernelTable kPlainKernels = [] {
    NetworkKernelTable table;
    table.fill(kPlainLoops);
    return table;
}();

const NetworkKernelTable& tableOf(KernelBuild build) {
    if constexpr (kHaveVectorKernels) {
        if (build == KernelBuild::Sse2)
            return kSse2NetworkKernels;
        if (build == KernelBuild::Avx2)
            return kAvx2NetworkKernels;
    }
    if constexpr (kHaveSimd128Kernels) {
        if (build == KernelBuild::Simd128)
            return kSimd128NetworkKernels;
    }
    return kPlainKernels;
}

}  // namespace

Network::Network(RandomGenerator& random, KernelBuild kernels)
    : random_(random),
      kernelBuild_(kernelBuildSupported(kernels) ? kernels : KernelBuild::Scalar),
      kernels_(tableOf(kernelBuild_).data()) {
    initialise();
}

const NetworkKernels& Network::kernels() const {
    // Past the table no build of the loops would stay inside the arrays.
    if (hiddenCount < 0 || hiddenCount > kMaxHidden)
        std::abort();
    return kernels_[hiddenCount];
}

void Network::advanceSlots() {
    estimationIndex = estimationIndex >= estimationHistorySize - 1 ? 0 : estimationIndex + 1;
    timeSlot = timeSlot >= historyDepth - 1 ? 0 : timeSlot + 1;
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
        for (float& weight : row)
            weight = randomInitialWeight();
    }
    for (auto& row : weightsHiddenHidden) {
        for (float& weight : row)
            weight = randomInitialWeight();
    }
    for (auto& row : weightsHiddenOut) {
        for (float& weight : row)
            weight = randomInitialWeight();
    }

    for (float& entry : estimationHistory)
        entry = 0;
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

    hiddenCount = kStartHidden;
    timeSlot = 0;
    estimationIndex = 0;
    activationSoftness = 0.1f;
    learningRate = 0.1f;
    estimation = 0;
    previousEstimation = 0;
}

void Network::forwardPass() {
    kernels().forwardPass(*this);
}

void Network::plainForwardPass() {
    const std::int32_t s = previousSlot();

    // Hidden activations from the inputs and hidden states of slot s.
    for (std::int32_t h = 0; h < hiddenCount; ++h) {
        float sum = 0;
        for (std::int32_t j = 0; j < inputCount; ++j) {
            sum = sum + inputHistory[j][s] * weightsInHidden[j][h];
        }
        for (std::int32_t k = 0; k < hiddenCount; ++k) {
            sum = sum + hiddenState[k][s] * weightsHiddenHidden[h][k];
        }
        hiddenState[h][timeSlot] = sum / (activationSoftness + std::abs(sum));
    }

    // Linear outputs, once the whole hidden layer of this slot is complete.
    for (std::int32_t o = 0; o < outputCount; ++o) {
        outputs[o][timeSlot] = 0;
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            outputs[o][timeSlot] =
                outputs[o][timeSlot] + hiddenState[h][timeSlot] * weightsHiddenOut[o][h];
        }
    }
}

void Network::computeErrors() {
    for (std::int32_t o = 0; o < outputCount; ++o) {
        errors[o][timeSlot] = targets[o][timeSlot] - outputs[o][timeSlot];
    }
}

void Network::computeEstimation() {
    float sum = 0;
    for (std::int32_t o = 0; o < outputCount; ++o)
        sum = sum + std::abs(errors[o][timeSlot]);
    const float mean = sum / outputCount;
    estimation = mean * mean;
    estimationHistory[estimationIndex] = 10 * estimation;
}

void Network::backPropagate() {
    kernels().backPropagate(*this);
}

void Network::plainBackPropagate() {
    // Stage by stage back from the current slot s, each writing the signals
    // of the slot p before it from the signals the previous stage left in s.
    std::int32_t s = timeSlot;
    for (std::int32_t stage = 1; stage <= historyDepth - 1; ++stage) {
        const std::int32_t p = s == 0 ? historyDepth - 1 : s - 1;
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            float sum = 0;
            for (std::int32_t o = 0; o < outputCount; ++o) {
                sum = sum + errors[o][s] * weightsHiddenOut[o][h];
            }
            if (stage == 1) {
                // The current slot keeps the plain projection.
                hiddenDelta[h][s] = sum;
            } else {
                for (std::int32_t k = 0; k < hiddenCount; ++k) {
                    sum = sum + weightsHiddenHidden[k][h] * hiddenDelta[k][s];
                }
            }
            // Times the activation's derivative (1 - |f|)^2 / k at slot s.
            const float d = 1 - std::abs(hiddenState[h][s]);
            hiddenDelta[h][p] = d * d * sum / activationSoftness;
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

// A weight moved by its gradient, more slowly the larger it is; one that
// leaves [-1, 1] (or is NaN) goes back to +-0.9375.
void Network::moveWeight(float& weight, float gradient) const {
    weight = weight + learningRate * gradient * (1.125 - weight * weight);
    if (!(weight >= -1.0))
        weight = -0.9375f;
    if (weight > 1.0)
        weight = 0.9375f;
}

void Network::updateWeights(TeachingRegime regime) {
    learningRate = adaptLearningRate(regime);
    kernels().updateWeights(*this);
}

void Network::plainUpdateWeights() {
    // Each gradient sums over all slots, t = 0, 1, ... in order.
    for (std::int32_t j = 0; j < inputCount; ++j) {
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            float gradient = 0;
            for (std::int32_t t = 0; t < historyDepth; ++t) {
                gradient = gradient + hiddenDelta[h][t] * inputHistory[j][t];
            }
            moveWeight(weightsInHidden[j][h], gradient);
        }
    }
    for (std::int32_t h = 0; h < hiddenCount; ++h) {
        for (std::int32_t k = 0; k < hiddenCount; ++k) {
            float gradient = 0;
            for (std::int32_t t = 0; t < historyDepth; ++t) {
                gradient = gradient + hiddenDelta[h][t] * hiddenState[k][t];
            }
            moveWeight(weightsHiddenHidden[h][k], gradient);
        }
    }
    for (std::int32_t o = 0; o < outputCount; ++o) {
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            float gradient = 0;
            for (std::int32_t t = 0; t < historyDepth; ++t) {
                gradient = gradient + errors[o][t] * hiddenState[h][t];
            }
            moveWeight(weightsHiddenOut[o][h], gradient);
        }
    }
}

void Network::checkStagnation(std::int32_t iteration) {
    if (iteration % 30 != 0)
        return;

    const std::int32_t e = estimationIndex;
    const std::int32_t n = estimationHistorySize;
    std::int32_t a = e - 40;
    if (a < 0)
        a += n;
    std::int32_t b = e - 20;
    if (b < 0)
        b += n;

    // Entries e-39 .. e-20, then e-19 .. e, wrapping at the end of the ring.
    float olderSum = 0;
    while (a != b) {
        a = a + 1;
        if (a >= n)
            a = 0;
        olderSum = olderSum + estimationHistory[a];
    }
    float newerSum = 0;
    while (b != e) {
        b = b + 1;
        if (b >= n)
            b = 0;
        newerSum = newerSum + estimationHistory[b];
    }

    const float band = 0.2 * newerSum;
    if (newerSum + band > olderSum && newerSum - band < olderSum)
        shakeWeights(0.01f);
}

// Inline: a shake makes some 300 of these in a row.
inline void Network::perturbWeight(float& weight, float amplitude) {
    const std::int32_t r = random_.randomInt();
    float q = (r % 10000) * 0.0001;
    // The sign flip as a bit operation: a weight's sign is a coin toss, and
    // a branch on it would be mispredicted half the time.
    const std::uint32_t flip = weight > 0 ? 0x80000000u : 0u;
    q = bit_cast<float>(bit_cast<std::uint32_t>(q) ^ flip);
    weight = weight + q * amplitude;
}

void Network::shakeWeights(float amplitude) {
    random_.seedFromClock();
    for (std::int32_t j = 0; j < inputCount; ++j) {
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            perturbWeight(weightsInHidden[j][h], amplitude);
        }
    }
    for (std::int32_t h = 0; h < hiddenCount; ++h) {
        for (std::int32_t k = 0; k < hiddenCount; ++k) {
            perturbWeight(weightsHiddenHidden[h][k], amplitude);
        }
    }
    for (std::int32_t o = 0; o < outputCount; ++o) {
        for (std::int32_t h = 0; h < hiddenCount; ++h) {
            perturbWeight(weightsHiddenOut[o][h], amplitude);
        }
    }
    learningRate = 0.1f;
}

}  // namespace varkelon
