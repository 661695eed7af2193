# Warnings are errors in every configuration.
add_compile_options(-Wall -Wextra -Werror)
