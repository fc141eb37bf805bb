// quenmark-payoff's planner commands: --plan (several cards snowballed) and
// --disclosure (a card statement's payoff figures for one card).
#pragma once

namespace quenmark::tool {

// Runs --plan or --disclosure when either is among the arguments and returns
// the exit status (its output written and checked, see Output.h); returns -1
// (and does nothing) otherwise.
int RunPlannerCommands(int argc, char** argv);

// The usage lines of the two commands, to follow the calculators' one in --help.
void PrintPlannerUsage();
// The lines of --help about the two commands.
void PrintPlannerHelp();

} // namespace quenmark::tool
