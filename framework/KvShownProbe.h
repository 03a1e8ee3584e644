#pragma once
// Start-up timing: with KV_EXIT_WHEN_SHOWN set in the environment, a program
// prints the line "shown" on standard output once its main window is first
// exposed on screen, then quits. The benchmarks time a program from its start
// to that line; KvRunApplication installs the probe, a bare window program
// calls it itself.

// Installs the probe when KV_EXIT_WHEN_SHOWN is set; returns whether it did.
bool KvInstallShownProbe();
