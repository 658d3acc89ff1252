#pragma once

// Asks for the model on standard output, reads the answers from standard input, fills
// system_parameters and ends with the input summary.
void run_parameter_dialogue();
