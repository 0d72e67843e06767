#include "part_pictures.h"

#include "puppet/model/directory_of.h"

#include <datatree.h>
#include <host_path.h>

std::vector<std::string> partPictures(const std::string& modelPath) {
    std::vector<std::string> pictures;
    DataRef model;
    readDataFile(hostPath(modelPath), model);
    DataRef& parts = model.member("parts");
    for (std::uint32_t i = 0; i < parts->size(); ++i) {
        const std::string partPath = directoryOf(modelPath) + parts->item(i)->text();
        DataRef part;
        readDataFile(hostPath(partPath), part);
        pictures.push_back(directoryOf(partPath) + part.member("texture")->text());
    }
    return pictures;
}
