#include "app/layer_table.h"

void LayerTable::clear() {
    for (std::unique_ptr<Layer>& layer : layers_) layer.reset();
    layers_.clear();
}

void LayerTable::prepareAll() {
    for (std::unique_ptr<Layer>& layer : layers_) layer->prepare();
}

void LayerTable::renderAll(float t) {
    for (std::unique_ptr<Layer>& layer : layers_) layer->render(t);
}

LayerTable& layerTable() {
    static LayerTable table;
    return table;
}
