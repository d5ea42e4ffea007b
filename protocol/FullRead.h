#pragma once

// The reads that follow an accepted identification: everything the matrix,
// signal configuration and TV wall pages show, in the order the window
// queues them. Shared by the window and kxrctl.
enum class FullReadStep {
    Routing,    // the routing table
    AudioInput, // the input of the analogue audio switch
    InputInfo,  // one signal read per input of the identified device
    InputBinds, // the pairing flags of every input
    OutputInfo, // one signal read per output
    TvWall,     // the TV wall layout
};

inline constexpr FullReadStep FullReadSteps[] = {
    FullReadStep::Routing,    FullReadStep::AudioInput, FullReadStep::InputInfo,
    FullReadStep::InputBinds, FullReadStep::OutputInfo, FullReadStep::TvWall,
};

// Queues the reads of one step on the active device link; returns how many
// were queued (none while no link is up).
int QueueFullReadStep(FullReadStep step);

// Queues every step in order; returns how many commands were queued.
int QueueFullRead();
