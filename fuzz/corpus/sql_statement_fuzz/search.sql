SELECT ID, tel, fio, Name, Story
FROM tel
WHERE fio LIKE'%ИВАН%'
ORDER BY Name
