#pragma once
// Finding the decoder plug-ins beside the executable and setting up the
// filter box and the format table from them.

void FindPlugins();
void QueryPlugins();
void SetUpFilterAndFormats();
