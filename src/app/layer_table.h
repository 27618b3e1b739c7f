// The process-wide table of layers. A layer's id is its index, counted
// from 0 in order of creation; the table is only ever emptied as a whole.
#pragma once

#include <memory>
#include <vector>

#include "app/layer.h"

class LayerTable {
  public:
    void append(std::unique_ptr<Layer> layer) { layers_.push_back(std::move(layer)); }
    int count() const { return static_cast<int>(layers_.size()); }
    bool validId(int id) const { return id >= 0 && id < count(); }
    Layer& layer(int id) { return *layers_[static_cast<std::size_t>(id)]; }

    // Destroys every layer (each releases and deletes its effect).
    void clear();
    void prepareAll();
    // Every layer in id order, later layers over earlier ones.
    void renderAll(float t);

  private:
    std::vector<std::unique_ptr<Layer>> layers_;
};

LayerTable& layerTable();
