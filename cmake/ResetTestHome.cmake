# cmake -DFOLDER=... -P ResetTestHome.cmake: empties the folders the program's tests take for the user's home,
# settings and data, so that no run sees what an earlier one saved.
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER}/home ${FOLDER}/config ${FOLDER}/data)
