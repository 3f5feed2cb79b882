#pragma once

namespace varkelon {

// Assistive technology reads the plots as images and the lamp as a status,
// not as plain areas of the window. Called once, by the application object.
void installAccessibleRoles();

}  // namespace varkelon
