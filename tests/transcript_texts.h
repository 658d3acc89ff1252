#pragma once

#include <string>

// The console texts that the tests expect, with "\n" as written in the program (use crlf()).
inline const std::string units_prompts = "\n Select units             \n 1=English   2=metric    \n";
inline const std::string method_prompts =
    "\n\n Select input data method:      \n 1 = mass & stiffness             "
    "\n 2 = mass & natural frequency     \n 3 = stiffness & natural frequency \n";
inline const std::string damping_format_prompt = "\n Enter damping format. \n 1= damping ratio   2= Q \n";
inline const std::string ratio_prompt = "\n Enter damping ratio (typically 0.05) ";
inline const std::string q_prompt = "\n Enter amplification factor Q (typically 10) ";
inline const std::string damping_warning = "\n Error:  damping value must be < 1 \n";
inline const std::string step_prompt = "\n\n Enter the frequency step (Hz)  ( Typically <= 1 ) \n";

// The dialogue and summary of the typical run: '2 1 1 1000 1 0.05 1'.
inline const std::string typical_answers = "2 1 1 1000 1 0.05 1";
inline const std::string typical_dialogue = units_prompts + method_prompts + "\n Enter mass (kg) \n" +
                                            "\n Enter stiffness (N/m) \n" + damping_format_prompt + ratio_prompt +
                                            step_prompt +
                                            "\n\n\n Input Summary:\n\n"
                                            " m=       1 kg     \n"
                                            " k=    1000 N/m    \n"
                                            "\n     fn=   5.033 Hz      \n"
                                            "      Q=      10 Hz      \n"
                                            "   damp=    0.05 Hz      \n";
