#pragma once

#include <cstdint>

#include "Capacity.h"
#include "KernelBuild.h"
#include "TeachingRegime.h"

namespace varkelon {

class RandomGenerator;
struct NetworkKernels;

// A recurrent network: inputCount inputs, hiddenCount hidden neurons fully
// connected to each other through a delay of one time slot, outputCount
// linear outputs. It keeps its last historyDepth time slots in a ring and
// learns by back-propagation through that ring.
//
// Index names: i, j over inputs; o over outputs; h, k over hidden neurons;
// t over slots. Slot t of a [..][8] array belongs to the cycle that ran in t.
// Only the active counts are ever looped over; the weights and states of an
// inactive neuron (h >= hiddenCount) keep their values untouched.
//
// forwardPass, backPropagate and the weight update run as the plain loops
// (plainForwardPass, ...) or as one of the vector builds beside them, which
// give the same bits (see KernelBuild.h). The build is fixed at construction:
// by default the fastest this processor runs; one it cannot run falls back to
// the plain loops.
class Network {
  public:
    explicit Network(RandomGenerator& random, KernelBuild kernels = bestKernelBuild());

    // The state record. All reals are single precision.
    float inputHistory[kMaxChannels][kMaxSlots];        // [i][t]: input i held in slot t
    float outputs[kMaxChannels][kMaxSlots];             // [o][t]: output o computed in slot t
    float errors[kMaxChannels][kMaxSlots];              // [o][t]: targets - outputs of slot t
    float targets[kMaxChannels][kMaxSlots];             // [o][t]: the plant's output o in slot t
    float estimation;                                   // (mean absolute error)^2, latest cycle
    float previousEstimation;                           // estimation at the last Static step
    float estimationHistory[kMaxEstimationHistory];     // ring of 10 x estimation, one per cycle
    float weightsInHidden[kMaxChannels][kMaxHidden];    // [j][h]: input j -> hidden h
    float weightsHiddenOut[kMaxChannels][kMaxHidden];   // [o][h]: hidden h -> output o
    float weightsHiddenHidden[kMaxHidden][kMaxHidden];  // [h][k]: hidden k (slot before) -> h
    float hiddenState[kMaxHidden][kMaxSlots];           // [h][t]: activation of hidden h in slot t
    float hiddenDelta[kMaxHidden][kMaxSlots];           // [h][t]: error signal kept in slot t
    float activationSoftness;                           // k of the activation x / (k + |x|)
    float learningRate;                                 // step size of the weight update
    std::int32_t hiddenCount;                           // in use: kMinHidden to kMaxHidden
    std::int32_t inputCount;                            // inputs in use, 17
    std::int32_t outputCount;                           // outputs in use, 17
    std::int32_t historyDepth;                          // time slots in use, 8
    std::int32_t timeSlot;                              // slot of the current cycle
    std::int32_t estimationHistorySize;                 // estimation ring entries in use, 140
    std::int32_t estimationIndex;                       // ring entry of the current cycle

    // timeSlot - 1, or historyDepth - 1 when timeSlot is 0. Inline: the
    // input source asks for it once per input.
    std::int32_t previousSlot() const { return timeSlot == 0 ? historyDepth - 1 : timeSlot - 1; }

    // The next cycle's slot of the history ring and entry of the estimation
    // ring, each wrapping to 0 at its end.
    void advanceSlots();

    // Rebuilds the whole state with new random weights (880 draws after one
    // reseed from the clock) and hiddenCount 7.
    void initialise();

    // Hidden states and outputs of timeSlot from the inputs and hidden
    // states of previousSlot.
    void forwardPass();
    // errors of timeSlot = targets - outputs.
    void computeErrors();
    // estimation from the errors of timeSlot; 10 x estimation into the ring.
    void computeEstimation();

    // Error signals for every slot, walking back from timeSlot.
    void backPropagate();
    // The regime's learning-rate rule, clamped to [1e-7, 0.007].
    float adaptLearningRate(TeachingRegime regime);
    // Adapts the rate, then moves every active weight by its gradient.
    void updateWeights(TeachingRegime regime);

    // Every 30 iterations: shakes the weights when the latest 20 estimations
    // sum to nearly what the 20 before them did.
    void checkStagnation(std::int32_t iteration);
    // Nudges every active weight towards zero by up to 0.9999 x amplitude.
    void shakeWeights(float amplitude);

    // The hot loops written as plain loops: the reference every vector build
    // is held to, and the build that runs everywhere. The weight update only
    // moves the weights, at the current learningRate.
    void plainForwardPass();
    void plainBackPropagate();
    void plainUpdateWeights();

    // The build that runs the hot loops.
    KernelBuild kernelBuild() const { return kernelBuild_; }

  private:
    float randomInitialWeight();
    void perturbWeight(float& weight, float amplitude);
    void moveWeight(float& weight, float gradient) const;
    // The build's kernels for the current hiddenCount: the one place that
    // picks the code of a hot loop.
    const NetworkKernels& kernels() const;

    RandomGenerator& random_;
    KernelBuild kernelBuild_;
    const NetworkKernels* kernels_;  // the build's kernels, one per hiddenCount 0 to kMaxHidden
};

}  // namespace varkelon
