// The leaf kinds of the action factory, registered at program start in their fixed order.
#pragma once

void registerLeafActions();
