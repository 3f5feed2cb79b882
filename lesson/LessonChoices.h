#pragma once

namespace varkelon {

// What the user has chosen in the window, as the lesson holds it.

// The three pages of the page control.
enum class Page { Graph, Estimation, Table };
// The three read-only fields every page carries.
enum class Readout { Iteration, Estimation, Noise };
// How the Estimation page plots the history: a sweep drawn step by step, or
// the whole ring redrawn every cycle.
enum class PlotMode { Running, Sliding };
// The caption language, in the order of the language box's items.
enum class CaptionLanguage { English, Russian };

// The teaching mode last commanded, which the lamp shows.
enum class TeachingMode {
    Stopped,     // the program's start and Stop: no timer
    SingleStep,  // Step: one cycle per command, no timer
    Continuous,  // the speed bar took the focus: one cycle a tick
    Quick,       // Quickly: ten cycles a tick
};

}  // namespace varkelon
