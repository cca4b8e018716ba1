// Group and favorite editors.
#include "app/zor_config.h"

void zor_config::listViewGroupChange(QModelIndex model_index) { Q_UNUSED(model_index); }
void zor_config::checkBoxGroupZoneChange(bool checked) { Q_UNUSED(checked); }
void zor_config::groupNamesModelChange(QModelIndex model) { Q_UNUSED(model); }
void zor_config::listViewFavoriteChange(QModelIndex model_index) { Q_UNUSED(model_index); }
void zor_config::checkBoxFavoriteBypassChange(bool checked) { Q_UNUSED(checked); }
void zor_config::comboBoxFavoriteSourceChange(int index) { Q_UNUSED(index); }
void zor_config::favoriteNamesModelChange(QModelIndex model) { Q_UNUSED(model); }
