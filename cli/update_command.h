#pragma once

#include <CLI/CLI.hpp>

namespace orlenda::cli {

// `update PILOT.plt [--name TEXT] [--rank R] [--rating R] [--kalidor K] [--active-mission M]`: the
// pilot file view's "Save" without the question. Values not given keep what the load read.
void AddUpdateCommand(CLI::App& app, int& exitStatus);

}  // namespace orlenda::cli
